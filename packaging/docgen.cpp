// lattora-docgen METAINFO_TEMPLATE OUTDIR: writes the manual pages of both
// programs (OUTDIR/lattora.1, OUTDIR/lattora-export.1) and the AppStream
// metainfo with the current release (OUTDIR/ the template's name without
// ".in") from the tables the programs' --help and --version print.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "packaging/manualpage.h"

namespace {

void writeFile(const std::filesystem::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    out.close();
    if (!out) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: lattora-docgen METAINFO_TEMPLATE OUTDIR\n");
        return 2;
    }
    try {
        const std::filesystem::path metainfo(argv[1]);
        const std::filesystem::path outDir(argv[2]);
        std::ifstream in(metainfo, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        if (!in) {
            throw std::runtime_error("cannot read " + metainfo.string());
        }
        writeFile(outDir / metainfo.stem(), lattora::withRelease(text.str()));
        for (const lattora::ProgramInfo* program :
             {&lattora::windowProgram(), &lattora::exportProgram()}) {
            writeFile(outDir / (std::string(program->name) + ".1"), lattora::manualPage(*program));
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "lattora-docgen: %s\n", e.what());
        return 1;
    }
    return 0;
}
