#pragma once

#include <string>

#include "tools/timeline/layout.h"

#include <QPointF>
#include <QSizeF>
#include <optional>

class QPainter;

namespace quorvel::app {

// Draws the picture of a layout as the SVG writer does, with QPainter: for PNG
// files and the window. Text uses the same monospaced font, so labels take the
// room the layout gave them.
// Only what reaches into `visible` (picture coordinates) is drawn, when given.
void PaintTimeline(const timeline::Layout& layout, const std::string& heading, QPainter& painter,
                   const std::optional<timeline::Rect>& visible = std::nullopt);

// Over a view of the picture scrolled by `scroll` (the painter in the view's
// coordinates): the head (axis and band lanes) kept at the top, the row titles kept
// at the left, and the corner where they meet, as a spreadsheet freezes panes.
void PaintFrozenParts(const timeline::Layout& layout, const std::string& heading, QPainter& painter,
                      QPointF scroll, QSizeF viewSize);

// The text shown on hover at (x, y): an event's whole text and its problems, a
// band, or a row's title and problems; empty when nothing is there.
std::string TimelineHoverText(const timeline::Layout& layout, double x, double y);

}  // namespace quorvel::app
