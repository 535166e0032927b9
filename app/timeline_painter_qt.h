#pragma once

#include <string>

#include "timeline/layout.h"

class QPainter;

namespace quorvel::app {

// Draws the picture of a layout as the SVG writer does, with QPainter: for PNG
// files and the window. Text uses the same monospaced font, so labels take the
// room the layout gave them.
void PaintTimeline(const timeline::Layout& layout, const std::string& heading, QPainter& painter);

// The text shown on hover at (x, y): an event's whole text and its problems, a
// band, or a row's title and problems; empty when nothing is there.
std::string TimelineHoverText(const timeline::Layout& layout, double x, double y);

}  // namespace quorvel::app
