// glyphrane-corpus: draws the generated pictures of the glyph trainer's corpus.
#include <cstdio>
#include <string>

#include "tools/corpus/corpus_pictures.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs(
        "usage: glyphrane-corpus FOLDER\n"
        "Writes the generated training pictures (640 x 480 binary PPM) into FOLDER.\n",
        stderr);
    return 2;
  }
  for (int32_t n = 0; n < kCorpusPictureCount; ++n) {
    const std::string path = std::string(argv[1]) + "/" + CorpusPictureName(n);
    if (!WritePpm(CorpusPicture(n, 640, 480), path)) {
      std::fprintf(stderr, "glyphrane-corpus: cannot write \"%s\"\n", path.c_str());
      return 1;
    }
  }
  return 0;
}
