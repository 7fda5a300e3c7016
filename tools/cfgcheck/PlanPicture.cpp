#include "PlanPicture.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <stdexcept>

#include "lum/config/ObjectKind.h"

namespace lum {

namespace {

struct Colour {
    double r, g, b;
};

struct CategoryColour {
    const char* category;
    Colour colour;
};

// Close to the colours the objects have in the game.
const CategoryColour categoryColours[] = {
    {"Floor", {0.85, 0.78, 0.63}},
    {"Wall", {0.55, 0.48, 0.42}},
    {"Plank", {0.78, 0.55, 0.27}},
    {"Rail", {0.48, 0.31, 0.12}},
    {"Pole", {0.92, 0.92, 0.92}},
    {"Paint", {0.93, 0.78, 0.05}},
    {"Marker", {0.98, 0.88, 0.35}},
    {"JumpPaint", {0.15, 0.4, 0.85}},
    {"JumpMarker", {0.45, 0.65, 1.0}},
    {"DangerPaint", {0.75, 0.05, 0.05}},
    {"DangerMarker", {1.0, 0.4, 0.4}},
    {kinds::redCube.name, {0.9, 0.15, 0.1}},
    {kinds::greenCube.name, {0.2, 0.75, 0.2}},
    {kinds::blueCube.name, {0.2, 0.3, 0.95}},
    {kinds::corn.name, {1.0, 0.85, 0.0}},
    {kinds::door.name, {0.45, 0.25, 0.1}},
    {kinds::toyMouse.name, {0.6, 0.6, 0.65}},
    {kinds::toyRobot.name, {0.55, 0.3, 0.7}},
};
const Colour otherColour = {0.7, 0.7, 0.7};

struct AreaColour {
    const char* role;
    Colour colour;
};

const AreaColour areaColours[] = {
    {"goal", {0.0, 0.45, 0.0}},
    {"target", {0.1, 0.85, 0.1}},
    {"mode", {0.0, 0.2, 0.9}},
    {"deadly", {0.85, 0.0, 0.0}},
};

// The player's start: a colour nothing else in the plan has.
const Colour startColour = {1.0, 0.0, 1.0};
const Colour ink = {0.1, 0.1, 0.1};

const int margin = 30;
const int titleHeight = 34;
const int footHeight = 70;
const int tallest = 900;
const double minimumStartRadius = 6.0;
const double areaLine = 3.0;
const double hatchSpacing = 8.0;

Colour colourOf(const std::string& category) {
    for (const CategoryColour& entry : categoryColours) {
        if (category == entry.category) {
            return entry.colour;
        }
    }
    return otherColour;
}

Colour areaColourOf(const std::string& role) {
    for (const AreaColour& entry : areaColours) {
        if (role == entry.role) {
            return entry.colour;
        }
    }
    return ink;
}

void setColour(cairo_t* cr, const Colour& colour, double alpha = 1.0) {
    cairo_set_source_rgba(cr, colour.r, colour.g, colour.b, alpha);
}

// Text in `colour` on a white halo, readable over any shape.
void label(cairo_t* cr, double x, double y, const std::string& text, const Colour& colour) {
    cairo_new_path(cr);
    cairo_move_to(cr, x, y);
    cairo_text_path(cr, text.c_str());
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_set_line_width(cr, 3);
    cairo_stroke_preserve(cr);
    setColour(cr, colour);
    cairo_fill(cr);
}

// Diagonal strokes, repeated over whatever they fill.
cairo_pattern_t* hatching() {
    const int size = static_cast<int>(hatchSpacing);
    cairo_surface_t* tile = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
    cairo_t* cr = cairo_create(tile);
    setColour(cr, ink, 0.8);
    cairo_set_line_width(cr, 1.5);
    cairo_move_to(cr, 0, size);
    cairo_line_to(cr, size, 0);
    cairo_stroke(cr);
    cairo_destroy(cr);
    cairo_pattern_t* pattern = cairo_pattern_create_for_surface(tile);
    cairo_surface_destroy(tile);
    cairo_pattern_set_extend(pattern, CAIRO_EXTEND_REPEAT);
    return pattern;
}

// A length of 1, 2 or 5 times a power of ten that draws at least 80 pixels.
double scaleBarLength(double pixelsPerUnit) {
    for (double power = 1.0;; power *= 10.0) {
        for (const double step : {1.0, 2.0, 5.0}) {
            if (step * power * pixelsPerUnit >= 80.0) {
                return step * power;
            }
        }
    }
}

std::string unitsText(double length) {
    const long whole = std::lround(length);
    return std::to_string(whole) + (whole == 1 ? " unit" : " units");
}

}  // namespace

PlanPicture::PlanPicture(const LevelPlan& plan, int width)
    : plan(plan), pictureWidth(width), pictureHeight(0), scale(1.0f), origin(0.0f) {
    const glm::vec2 low = plan.low();
    const glm::vec2 high = plan.high();
    const glm::vec2 extent = glm::max(high - low, glm::vec2(1.0f));
    scale = std::min((width - 2.0f * margin) / extent.x, static_cast<float>(tallest) / extent.y);
    const int drawnHeight = static_cast<int>(std::ceil(extent.y * scale));
    pictureHeight = titleHeight + drawnHeight + footHeight;
    origin = glm::vec2(margin - low.x * scale, titleHeight - low.y * scale);
}

// Seen from above the way the game draws its world: x grows to the right
// and z towards the bottom, so that what lies on Tobble's left in the game
// lies on its left in the plan too.
glm::vec2 PlanPicture::pixelOf(const glm::vec2& ground) const {
    return glm::vec2(origin.x + scale * ground.x, origin.y + scale * ground.y);
}

float PlanPicture::pixelsPerUnit() const {
    return scale;
}
int PlanPicture::width() const {
    return pictureWidth;
}
int PlanPicture::height() const {
    return pictureHeight;
}

void PlanPicture::writePng(const std::string& path) const {
    const std::unique_ptr<cairo_surface_t, void (*)(cairo_surface_t*)> surface(
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, pictureWidth, pictureHeight),
        &cairo_surface_destroy);
    const std::unique_ptr<cairo_t, void (*)(cairo_t*)> context(cairo_create(surface.get()),
                                                               &cairo_destroy);
    cairo_t* const cr = context.get();
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);

    // The shapes, lowest first.
    cairo_pattern_t* const hatch = hatching();
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
    std::map<std::string, bool> shown;
    bool anyHidden = false;
    for (const PlanShape& shape : plan.shapes()) {
        for (std::size_t i = 0; i < shape.outline.size(); ++i) {
            const glm::vec2 at = pixelOf(shape.outline[i]);
            i == 0 ? cairo_move_to(cr, at.x, at.y) : cairo_line_to(cr, at.x, at.y);
        }
        cairo_close_path(cr);
        const Colour colour = colourOf(shape.category);
        setColour(cr, colour, shape.hidden ? 0.45 : 1.0);
        cairo_fill_preserve(cr);
        if (shape.hidden) {
            cairo_set_source(cr, hatch);
            cairo_fill_preserve(cr);
            anyHidden = true;
        }
        setColour(cr, ink, 0.6);
        cairo_set_line_width(cr, 0.8);
        cairo_stroke(cr);
        shown[shape.category] = true;
    }
    cairo_pattern_destroy(hatch);

    // The script's areas over everything, each with its name.
    cairo_select_font_face(cr, "sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, 12);
    const glm::vec2 low = plan.low();
    const glm::vec2 high = plan.high();
    for (const PlanArea& area : plan.areas()) {
        const glm::vec2 from(area.unboundedX ? low.x : area.low.x,
                             area.unboundedZ ? low.y : area.low.y);
        const glm::vec2 to(area.unboundedX ? high.x : area.high.x,
                           area.unboundedZ ? high.y : area.high.y);
        const glm::vec2 a = pixelOf(from);
        const glm::vec2 b = pixelOf(to);
        const Colour colour = areaColourOf(area.role);
        cairo_rectangle(cr, a.x, a.y, b.x - a.x, b.y - a.y);
        setColour(cr, colour, 0.15);
        cairo_fill_preserve(cr);
        setColour(cr, colour);
        cairo_set_line_width(cr, areaLine);
        cairo_stroke(cr);
        // Areas of one level may overlap: their names go one under the other.
        const double line = 14.0 * static_cast<double>(&area - plan.areas().data());
        label(cr, b.x + 4, a.y + 14 + line, area.label, colour);
    }

    // The start.
    const glm::vec2 start = pixelOf(plan.start());
    const double radius =
        std::max(minimumStartRadius, static_cast<double>(plan.startRadius() * scale));
    cairo_new_path(cr);
    cairo_arc(cr, start.x, start.y, radius, 0, 2 * M_PI);
    setColour(cr, startColour);
    cairo_fill_preserve(cr);
    setColour(cr, ink);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    label(cr, start.x + radius + 3, start.y - radius - 3, "start", ink);

    // Title.
    setColour(cr, ink);
    cairo_set_font_size(cr, 18);
    cairo_move_to(cr, margin, 24);
    cairo_show_text(cr, (plan.name() + " from above (x to the right, z down)").c_str());

    // Scale bar.
    const double length = scaleBarLength(scale);
    const double barY = pictureHeight - footHeight + 30;
    cairo_set_line_width(cr, 2);
    cairo_move_to(cr, margin, barY - 5);
    cairo_line_to(cr, margin, barY);
    cairo_line_to(cr, margin + length * scale, barY);
    cairo_line_to(cr, margin + length * scale, barY - 5);
    cairo_stroke(cr);
    cairo_set_font_size(cr, 12);
    cairo_move_to(cr, margin, barY + 16);
    cairo_show_text(cr, unitsText(length).c_str());

    // Legend: what the colours mean, for the kinds this level has.
    double x = margin + length * scale + 40;
    cairo_set_font_size(cr, 11);
    cairo_select_font_face(cr, "sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    for (const CategoryColour& entry : categoryColours) {
        if (!shown.count(entry.category)) {
            continue;
        }
        cairo_text_extents_t text;
        cairo_text_extents(cr, entry.category, &text);
        if (x + 16 + text.x_advance > pictureWidth - margin) {
            break;
        }
        cairo_rectangle(cr, x, barY - 10, 10, 10);
        setColour(cr, entry.colour);
        cairo_fill_preserve(cr);
        setColour(cr, ink);
        cairo_set_line_width(cr, 0.8);
        cairo_stroke(cr);
        cairo_move_to(cr, x + 13, barY);
        cairo_show_text(cr, entry.category);
        x += 24 + text.x_advance;
    }
    if (anyHidden) {
        cairo_move_to(cr, margin + length * scale + 40, barY + 18);
        cairo_show_text(cr, "hatched: hidden until the player earns it");
    }

    cairo_surface_flush(surface.get());
    if (cairo_surface_write_to_png(surface.get(), path.c_str()) != CAIRO_STATUS_SUCCESS) {
        throw std::runtime_error("cannot write " + path);
    }
}

}  // namespace lum
