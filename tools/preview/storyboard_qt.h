// The storyboard: one picture with a thumbnail per shot, each captioned with its
// frame, time and camera, for a pull request or a design review.
#pragma once

#include <QImage>
#include <QRect>
#include <QSize>
#include <cstdint>
#include <vector>

#include "tools/preview/offscreen_picture_qt.h"
#include "tools/preview/shot_starts.h"

namespace quorvel::preview {

// Where the storyboard puts the thumbnail of shot `index` of `count` (rows of up
// to four, each with its caption line below), and the whole picture's size.
inline constexpr int kStoryboardColumns = 4;
inline constexpr int kStoryboardGap = 8;
inline constexpr int kStoryboardCaption = 22;
QRect StoryboardCell(int index, QSize thumbnail);
QSize StoryboardSize(int count, QSize thumbnail);

// A thumbnail (of `pictures`' size) per shot, captioned with the frame, time and
// camera the shot starts at. The thumbnail shows the shot's first frame that is not
// faded (ShotPictureFrame), and its caption says which when that is not the start.
QImage Storyboard(const FrameMaker& maker, OffscreenPictures& pictures,
                  const std::vector<std::int64_t>& shots);

}  // namespace quorvel::preview
