// Writes the sample page as a work file:
//   zanor_make_sample [file]    (by default the one in examples/)
#include "examples/samplepage.h"
#include "files/workfilecodec.h"

#include <cstdio>
#include <fstream>
#include <string>

int main(int argc, char** argv) {
    const char* path = argc > 1 ? argv[1] : ZANOR_SAMPLE_FILE;
    buildSamplePage();
    const std::string bytes = encodeWorkFile();
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "no se ha podido escribir %s\n", path);
        return 1;
    }
    std::printf("%s: %zu registros\n", path, bytes.size() / workRecordSize);
    return 0;
}
