#include "tools/preview/storyboard_qt.h"

#include <QFont>
#include <QPainter>
#include <algorithm>
#include <string>

#include "tools/preview/shot_starts.h"

namespace quorvel::preview {

QRect StoryboardCell(int index, QSize thumbnail) {
  const int column = index % kStoryboardColumns;
  const int row = index / kStoryboardColumns;
  return QRect(kStoryboardGap + column * (thumbnail.width() + kStoryboardGap),
               kStoryboardGap + row * (thumbnail.height() + kStoryboardCaption + kStoryboardGap),
               thumbnail.width(), thumbnail.height());
}

QSize StoryboardSize(int count, QSize thumbnail) {
  const int columns = std::clamp(count, 1, kStoryboardColumns);
  const int rows = std::max(1, (count + kStoryboardColumns - 1) / kStoryboardColumns);
  return QSize(kStoryboardGap + columns * (thumbnail.width() + kStoryboardGap),
               kStoryboardGap + rows * (thumbnail.height() + kStoryboardCaption + kStoryboardGap));
}

QImage Storyboard(const FrameMaker& maker, OffscreenPictures& pictures,
                  const std::vector<std::int64_t>& shots) {
  const QSize thumbnail = pictures.Size();
  QImage board(StoryboardSize(static_cast<int>(shots.size()), thumbnail), QImage::Format_RGB32);
  board.fill(QColor(32, 32, 32));
  PreviewFrame frame;
  for (std::size_t i = 0; i < shots.size(); ++i) {
    const std::int64_t end = i + 1 < shots.size() ? shots[i + 1] : maker.LastFrame() + 1;
    const std::int64_t shown = ShotPictureFrame(maker.Timeline(), shots[i], end);
    maker.Make(shown, frame);
    const QImage picture = pictures.Render(frame);
    const QRect cell = StoryboardCell(static_cast<int>(i), thumbnail);
    QPainter painter(&board);
    painter.drawImage(cell.topLeft(), picture);
    QFont font("DejaVu Sans");
    font.setPixelSize(12);
    painter.setFont(font);
    painter.setPen(QColor(235, 235, 235));
    const QRect caption(cell.left(), cell.bottom() + 1, cell.width(), kStoryboardCaption);
    std::string text = FrameCaption(shots[i], maker.FrameRate(), frame.cameraName);
    if (shown != shots[i]) {
      text += "  (seen at " + std::to_string(shown) + ")";
    }
    painter.drawText(caption, Qt::AlignLeft | Qt::AlignVCenter,
                     painter.fontMetrics().elidedText(QString::fromStdString(text), Qt::ElideRight,
                                                      cell.width()));
  }
  return board;
}

}  // namespace quorvel::preview
