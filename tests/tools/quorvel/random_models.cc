#include "tests/tools/quorvel/random_models.h"

#include <cstdint>
#include <utility>

#include "tests/support/random_comments.h"

namespace quorvel::testing {

examples::ModelFile RandomModelFile(std::mt19937& random, std::string modelComment) {
  examples::ModelFile file;
  file.comment = std::move(modelComment);
  for (int i = 0; i < 8; ++i) {
    file.joints.push_back({RandomName(random),
                           "",
                           static_cast<std::uint8_t>(random() % 2),
                           {0, 0, 0},
                           i % 2 == 0 ? RandomComment(random) : InOrderComment(random)});
  }
  return file;
}

}  // namespace quorvel::testing
