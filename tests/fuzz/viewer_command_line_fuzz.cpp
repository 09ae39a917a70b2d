// The viewer's command line. Properties: the names it yields fit a path
// buffer and are cut only between characters; the jump values keep their
// ranges; argumentsOf returns a tail of the line; truncateSjis gives a
// character-boundary prefix of at most the bytes asked for.
#include <cstdint>

#include "start_request.h"
#include "program_arguments.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const size_t max = in.ConsumeIntegralInRange<size_t>(0, 400);
    const std::string line = in.ConsumeRemainingBytesAsString();
    const bool whole = fuzz::wellFormed(reinterpret_cast<const unsigned char*>(line.data()), line.size());

    viewer::StartRequest r = viewer::parseCommandLine(line);
    FUZZ_CHECK(r.fileName.size() <= viewer::kMaxPath - 1);
    FUZZ_CHECK(r.folder.size() <= viewer::kMaxPath - 1);
    FUZZ_CHECK(r.fileTypeName.size() <= viewer::kMaxPath - 1);
    if (whole) {
        FUZZ_CHECK(fuzz::wholeCharacters(reinterpret_cast<const unsigned char*>(r.fileName.data()),
                                         r.fileName.size()));
        FUZZ_CHECK(
            fuzz::wholeCharacters(reinterpret_cast<const unsigned char*>(r.folder.data()), r.folder.size()));
    }
    FUZZ_CHECK(r.jumpLine >= -1);
    FUZZ_CHECK(r.jumpColumn >= 0 && r.jumpColumn <= 0xFFFF);
    FUZZ_CHECK(r.jumpRow >= -1);
    FUZZ_CHECK(r.forcedCode >= 0 && r.forcedCode <= 4);

    std::string args = common::skipProgramName(line.c_str());
    FUZZ_CHECK(args.size() <= line.size() && line.compare(line.size() - args.size(), args.size(), args) == 0);

    std::string cut = viewer::truncateSjis(line, max);
    FUZZ_CHECK(cut.size() <= max || cut.size() == line.size());
    FUZZ_CHECK(cut.size() == line.size() || cut.size() <= max);
    FUZZ_CHECK(line.compare(0, cut.size(), cut) == 0);
    if (cut.size() < line.size()) {
        size_t i = 0;
        while (i < cut.size()) i += fuzz::lead((unsigned char)line[i]) ? 2 : 1;
        FUZZ_CHECK(i == cut.size());
    }
    return 0;
}
