#version 330 compatibility
// Cel-shaded model body, vertex stage.
//
// The model hands over only its model-view-projection matrix, the upper 3x3
// of its model-view matrix ("normalMatrix") and the camera's world position,
// while its lights come in world space. The vertex's place in the world is
// recovered from those: the projection is a perspective one, so the clip
// position gives the view-space position once the projection's x and y
// scales are divided out, and the normal matrix's columns are the view
// rotation times the model's scale along each axis. Normalising them gives
// the view rotation exactly for a model that is scaled but not rotated (all
// the level geometry); a rotated model is lit as if it were not rotated.

// "vertex" sits at location 0 so that generic attribute 0 provides the
// position whatever else the driver enables.
layout(location = 0) in vec3 vertex;
layout(location = 1) in vec3 normal;
layout(location = 2) in vec2 texCoord;

struct MaterialColours {
    vec4 ambient;
    vec4 diffuse;
    vec4 specular;
    float shininess;
};

struct PointLight {
    vec3 position;
    vec4 ambient;
    vec4 diffuse;
    vec4 specular;
    float constantAttenuation;
    float linearAttenuation;
    float quadraticAttenuation;
};

const int MAX_LIGHTS = 3;
// The light a scene without lamps gives every surface.
const vec3 LIGHTLESS_AMBIENT = vec3(0.35);

uniform PointLight lights[MAX_LIGHTS];
uniform int usedLights;
uniform mat4 modelViewProjectionMatrix;
uniform mat3 normalMatrix;
uniform vec3 camPos;
uniform MaterialColours material;

out vec3 worldPosition;
out vec3 worldNormal;
out vec2 surfaceCoord;
// The same for every vertex of a draw: passed on uninterpolated, worked
// out once per vertex rather than once per pixel (the lit ambient too).
flat out float opacity;
flat out float spotCosine;
flat out vec3 ambientLight;

// The room's ambient is the strongest one of the model's lamps, not the
// sum, so three lights side by side do not wash the colours out.
vec3 roomAmbient() {
    if (usedLights <= 0) {
        return LIGHTLESS_AMBIENT;
    }
    vec3 ambient = vec3(0.0);
    for (int i = 0; i < MAX_LIGHTS; ++i) {
        if (i >= usedLights) {
            break;
        }
        ambient = max(ambient, lights[i].ambient.rgb);
    }
    return ambient;
}

float rowLength(mat4 m, int row) {
    return length(vec3(m[0][row], m[1][row], m[2][row]));
}

float rowLength(mat3 m, int row) {
    return length(vec3(m[0][row], m[1][row], m[2][row]));
}

void main() {
    vec4 clip = modelViewProjectionMatrix * vec4(vertex, 1.0);
    gl_Position = clip;

    float projectionX = rowLength(modelViewProjectionMatrix, 0) / rowLength(normalMatrix, 0);
    float projectionY = rowLength(modelViewProjectionMatrix, 1) / rowLength(normalMatrix, 1);
    vec3 viewPosition = vec3(clip.x / projectionX, clip.y / projectionY, -clip.w);

    vec3 modelScale = vec3(length(normalMatrix[0]), length(normalMatrix[1]), length(normalMatrix[2]));
    mat3 viewRotation = mat3(normalMatrix[0] / modelScale.x,
                             normalMatrix[1] / modelScale.y,
                             normalMatrix[2] / modelScale.z);
    worldPosition = camPos + transpose(viewRotation) * viewPosition;
    worldNormal = normal / modelScale;
    surfaceCoord = texCoord;
    // The blended pass sets the fixed-function colour's alpha for
    // transparent models; every other draw leaves it at 1.
    opacity = gl_Color.a;
    // Where the highlight's strength, cos^shininess, reaches one half.
    spotCosine = pow(0.5, 1.0 / max(material.shininess, 1.0));
    ambientLight = material.ambient.rgb * roomAmbient();
}
