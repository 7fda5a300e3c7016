#version 330 compatibility
// Cel-shaded model body, fragment stage.
//
// Diffuse light is quantised through the ramp texture "celShade" (32 texels
// on unit 0, nearest filtering), so faces fall into a few flat bands; the
// specular highlight is a hard-edged spot. The model's texture on unit 1 is
// tinted by the lighting.

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
const float RAMP_TEXELS = 32.0;
const float EXPOSURE = 2.0;
const vec3 EYE_LAMP_RISE = vec3(0.0, 0.75, 0.0);
const float EYE_LAMP_SPECULAR = 0.5;

uniform MaterialColours material;
uniform PointLight lights[MAX_LIGHTS];
uniform int usedLights;
uniform vec3 camPos;
uniform sampler1D celShade;
uniform sampler2D textureSampler;

in vec3 worldPosition;
in vec3 worldNormal;
in vec2 surfaceCoord;
flat in float opacity;
flat in float spotCosine;
flat in vec3 ambientLight;

out vec4 fragColor;

// The ramp's texel nearest to the intensity, read directly: a filtered
// lookup would cost the software renderer far more for the same texel, and
// an intensity of exactly 1 must not wrap round to the darkest band.
float band(float intensity) {
    int texel = int(floor(clamp(intensity, 0.0, 1.0) * (RAMP_TEXELS - 1.0) + 0.5));
    return texelFetch(celShade, texel, 0).r;
}

// Light beyond what a surface can show is compressed rather than clipped:
// however many lamps shine on it, a surface never gets brighter than its
// texture's own colour, so it keeps its hue and saturation, and a brighter
// band still comes out brighter than a darker one.
vec3 exposed(vec3 light) {
    return vec3(1.0) - exp(-EXPOSURE * max(light, vec3(0.0)));
}

// The highlight's spot is where its strength, cos^shininess of the angle to
// the halfway vector, reaches one half: where the cosine reaches
// `spotCosine`, 0.5^(1 / shininess), worked out once per vertex rather than
// raised to the power once per light and pixel. Lengths come from one
// inverse square root each, without a division: the software renderer
// spends most of a frame in this loop.
void main() {
    vec3 n = normalize(worldNormal);
    vec3 toEye = normalize(camPos - worldPosition);
    vec3 diffuse = vec3(0.0);
    vec3 specular = vec3(0.0);

    // A scene without lights still shows its models, lit by one lamp from
    // the eye and a little above, unweakened. It takes the lamps' own path
    // rather than one of its own: the software renderer works out both
    // sides of a branch for every pixel, whichever is taken.
    bool lightless = usedLights <= 0;
    int lamps = lightless ? 1 : usedLights;
    for (int i = 0; i < MAX_LIGHTS; ++i) {
        if (i >= lamps) {
            break;
        }
        vec3 offset = lightless ? toEye + EYE_LAMP_RISE : lights[i].position - worldPosition;
        float squared = max(dot(offset, offset), 1e-8);
        float inverse = inversesqrt(squared);
        vec3 toLight = offset * inverse;
        float lightDistance = squared * inverse;
        float attenuation = lightless ? 1.0 : 1.0 / max(lights[i].constantAttenuation
                                                  + lights[i].linearAttenuation * lightDistance
                                                  + lights[i].quadraticAttenuation * squared, 1.0);
        vec3 diffuseColour = lightless ? vec3(1.0) : lights[i].diffuse.rgb;
        vec3 specularColour = lightless ? vec3(EYE_LAMP_SPECULAR) : lights[i].specular.rgb;
        float facing = dot(n, toLight);
        diffuse += band(max(facing, 0.0) * attenuation) * diffuseColour;
        vec3 halfway = toLight + toEye;
        float spot = dot(n, halfway) * inversesqrt(max(dot(halfway, halfway), 1e-8));
        specular += step(spotCosine, spot) * step(0.0, facing) * attenuation * specularColour;
    }

    vec3 surface = texture(textureSampler, surfaceCoord).rgb;
    vec3 lit = surface * exposed(ambientLight + material.diffuse.rgb * diffuse)
             + material.specular.rgb * specular;
    fragColor = vec4(lit, opacity);
}
