// Opens a model file with the host library and prints its counts: the same work as
// `assimp info` (read, then summarise), without the JSON that `quorvel dump`
// writes. Used by dump_vs_assimp.sh to show the reader on its own.
#include <cstdio>

#include "host/mapped_file.h"
#include "host/model_document.h"
#include "host/ms3d_error.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s MODEL\n", argv[0]);
    return 2;
  }
  // Reads as the quorvel command does: through a mapping.
  quorvel::host::AllowMappedReads();
  try {
    quorvel::host::ModelDocument document = quorvel::host::ModelDocument::OpenForReading(argv[1]);
    const quorvel::host::Model& model = document.Model();
    std::size_t commentBytes = model.comment.size();
    for (const quorvel::host::Joint& joint : model.joints) {
      commentBytes += joint.comment.size();
    }
    std::printf(
        "meshes %zu, materials %zu, joints %zu, vertices %u, triangles %u, "
        "frames %d, comment bytes %zu\n",
        model.meshes.size(), model.materials.size(), model.joints.size(), model.vertexCount,
        model.triangleCount, model.totalFrames, commentBytes);
  } catch (const quorvel::host::Ms3dError& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 2;
  }
  return 0;
}
