// Textures: found beside the model as the file names them, drawn through OpenGL.
#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>

#include "tests/support/ms3d_fixture.h"
#include "tests/tools/preview/preview_gl.h"
#include "tests/tools/preview/preview_scenes.h"
#include "tools/preview/offscreen_picture_qt.h"
#include "tools/preview/scene_renderer_qt.h"

namespace quorvel::preview {
namespace {

TEST(TextureTest, FoundAsNamedOrBesideTheModel) {
  quorvel::testing::TempFolder folder;
  const std::string root = folder.File("");
  std::filesystem::create_directories(root + "/maps");
  quorvel::testing::WriteWholeFile(root + "/maps/hull.png", "x");
  quorvel::testing::WriteWholeFile(root + "/rock.bmp", "x");
  struct Case {
    std::string name;
    std::string found;  // relative to the folder; empty: none
  };
  const Case cases[] = {
      {"maps/hull.png", "/maps/hull.png"},
      {".\\maps\\hull.png", "/./maps/hull.png"},
      {"C:\\art\\rock.bmp", "/rock.bmp"},  // its folder is elsewhere: the bare name beside
      {"rock.bmp", "/rock.bmp"},
      {"missing.png", ""},
      {"maps", ""},  // a folder is no texture
      {"", ""},
  };
  for (const Case& c : cases) {
    const std::string found = TextureFile(root, c.name);
    EXPECT_EQ(
        found.empty() ? "" : std::filesystem::path(found).lexically_normal().string(),
        c.found.empty() ? "" : std::filesystem::path(root + c.found).lexically_normal().string())
        << c.name;
  }
}

TEST(TextureTest, ATexturedMaterialShowsItsTextureAndAMissingOneItsColour) {
  quorvel::testing::TempFolder folder;
  QImage green(8, 8, QImage::Format_RGB32);
  green.fill(QColor(0, 200, 0));
  ASSERT_TRUE(green.save(QString::fromStdString(folder.File("green.png")), "PNG"));
  for (const std::string texture : {"green.png", "absent.png"}) {
    host::Scene scene;
    testing::AddBox(scene, "Box", {0, 0, 0}, 1.5f, {1, 0, 0, 1});
    scene.materials[0].texture = texture;
    std::string skip;
    auto pictures = testing::MakePictures(scene, 48, 48, skip, folder.File(""));
    if (!pictures) {
      GTEST_SKIP() << "no OpenGL here: " << skip;
    }
    PreviewFrame frame;
    frame.pose = testing::RestPose(scene);
    frame.view.eye = {0, 0, 6};
    const QRgb centre = pictures->Render(frame).pixel(24, 24);
    if (texture == "green.png") {
      EXPECT_GT(qGreen(centre), 150) << texture;
      EXPECT_LT(qRed(centre), 40) << texture;
    } else {
      EXPECT_TRUE(testing::IsRed(centre)) << texture;
    }
  }
}

}  // namespace
}  // namespace quorvel::preview
