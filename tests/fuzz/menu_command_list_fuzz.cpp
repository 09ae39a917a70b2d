// The launcher's command list: the pending list taken apart command by
// command, the parts of one command and the play command built from a
// registry template. Every output is bounded and terminated, whole
// characters only, and a list is used up in a bounded number of steps.
#include <cstdint>

#include "command_list.h"
#include "value_syntax.h"
#include "fuzz_support.h"

using namespace menu;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const int op = in.ConsumeIntegralInRange(0, 3);
    const size_t sizeA = in.ConsumeIntegralInRange<size_t>(0, 600);
    const size_t sizeB = in.ConsumeIntegralInRange<size_t>(0, 600);
    const std::string first = fuzz::text(in, 1024);
    const std::string second = fuzz::text(in, 1024);
    const bool whole = fuzz::wellFormed(first.c_str(), fuzz::commonLead) &&
                       fuzz::wellFormed(second.c_str(), fuzz::commonLead);
    fuzz::Buffer a(sizeA), b(sizeB);

    switch (op) {
    case 0: {
        commands::PendingList list;
        list.assign(first.c_str());
        FUZZ_CHECK(std::strlen(list.rest()) < commands::kListSize);
        FUZZ_CHECK(fuzz::boundaryPrefix(first.c_str(), first.size(), list.rest(), fuzz::commonLead));
        const std::string held = list.rest();
        size_t taken = 0;
        while (list.takeNext(a.get(), a.size())) {
            fuzz::checkOutput(a, whole);
            if (a.size()) {
                const char* command = a.get();
                // Every command is a piece of the list as it was assigned.
                FUZZ_CHECK(*command == '\0' || held.find(command) != std::string::npos);
                size_t n = std::strlen(command);
                FUZZ_CHECK(n == 0 || (command[n - 1] != ' ' && command[n - 1] != '\t') ||
                           (n >= 2 && fuzz::commonLead((unsigned char)command[n - 2])));
            }
            FUZZ_CHECK(++taken <= commands::kListSize);
        }
        FUZZ_CHECK(list.empty());
        FUZZ_CHECK(!list.takeNext(a.get(), a.size()));
        break;
    }
    case 1:
        // The launcher asks for the file name of "@view" commands only.
        if (commands::kindOf(first.c_str()) == commands::Kind::View) {
            commands::viewFileName(first.c_str(), a.get(), a.size());
            fuzz::checkOutput(a, whole);
        }
        commands::webAddress(first.c_str(), b.get(), b.size());
        fuzz::checkOutput(b, whole);
        break;
    case 2:
        values::splitCommandLine(first.c_str(), a.get(), a.size(), b.get(), b.size());
        fuzz::checkOutput(a, whole);
        fuzz::checkOutput(b, whole);
        break;
    default: {
        bool ok = commands::playCommand(first.c_str(), second.c_str(), a.get(), a.size(), b.get(), b.size());
        fuzz::checkOutput(a, whole);
        fuzz::checkOutput(b, whole);
        if (ok) FUZZ_CHECK(a.size() > 1 && a.get()[0] != '\0');
        break;
    }
    }
    return 0;
}
