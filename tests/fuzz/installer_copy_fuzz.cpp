// The copy engine over an in-memory disc and hard disk, answered at random
// (overwrite, overwrite all, if newer, rename, no, cancel; skip or cancel
// after an error), with random failures of the file calls and a random stop
// between steps. Properties: no file stays open once the job is gone; a run
// that finishes leaves every file it reports copied holding its source's
// bytes; a run that is stopped leaves the disk as it was before, except for
// files the user agreed to overwrite: every file that existed holds its old
// bytes under its old name, and no file or folder the run made remains.
#include <cstdint>
#include <map>
#include <set>

#include "copy_engine.h"
#include "fuzz_support.h"

using namespace installer;

namespace {

struct Snapshot {
    std::map<std::string, fakefs::Node, fakefs::NoCaseLess> nodes;
};

class RandomPrompts : public CopyPrompts {
public:
    explicit RandomPrompts(FuzzedDataProvider& in) : in_(in) {}
    OverwriteAnswer askOverwrite(CopyEntry& entry, const WIN32_FIND_DATAA&) override {
        static const OverwriteAnswer kAnswers[] = {OverwriteAnswer::Yes, OverwriteAnswer::Rename,
                                                   OverwriteAnswer::No,  OverwriteAnswer::IfNewer,
                                                   OverwriteAnswer::All, OverwriteAnswer::Cancel};
        OverwriteAnswer a = kAnswers[in_.ConsumeIntegralInRange<int>(0, 5)];
        if (a == OverwriteAnswer::Yes) agreed.insert(entry.destination.fullPath());
        // From now on existing files are overwritten without a question.
        if (a == OverwriteAnswer::All || a == OverwriteAnswer::IfNewer) agreedToAll = true;
        return a;
    }
    ErrorAnswer askError(int error, const char* path) override {
        FUZZ_CHECK(error >= kErrorFolder && error <= kErrorRename);
        FUZZ_CHECK(path != nullptr);
        return in_.ConsumeIntegral<uint8_t>() > 0xC0 ? ErrorAnswer::Cancel : ErrorAnswer::Skip;
    }
    void showProgress(int percent) override { FUZZ_CHECK(percent >= 0 && percent <= 100); }

    std::set<std::string, fakefs::NoCaseLess> agreed;
    bool agreedToAll = false;

private:
    FuzzedDataProvider& in_;
};

std::string contents(FuzzedDataProvider& in) {
    // Mostly small files; some span several blocks.
    size_t n = in.ConsumeIntegralInRange<size_t>(0, 3 * CopyJob::kBlockBytes + 7);
    std::string s(n, '\0');
    uint8_t seed = in.ConsumeIntegral<uint8_t>();
    for (size_t i = 0; i < n; ++i) s[i] = char(seed + i * 7);
    return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    fakefs::enable();
    static const char* const kFolders[] = {"C:\\APP", "C:\\APP\\SUB", "C:\\APP\\SUB\\DEEP", "C:\\OTHER"};
    static const char* const kNames[] = {"A.TXT", "B.DAT", "A (1).TXT", "C"};

    // The disc: up to six sources.
    const int count = in.ConsumeIntegralInRange<int>(0, 6);
    std::vector<std::string> sources;
    for (int i = 0; i < count; ++i) {
        std::string path = "D:\\SRC\\F" + std::to_string(i);
        fakefs::addFile(path, contents(in));
        sources.push_back(path);
    }
    // What is on the hard disk already.
    if (in.ConsumeBool()) fakefs::addFile("C:\\APP\\KEEP.TXT", "keep");
    const int existing = in.ConsumeIntegralInRange<int>(0, 4);
    for (int i = 0; i < existing; ++i) {
        std::string path = std::string(kFolders[in.ConsumeIntegralInRange<int>(0, 3)]) + "\\" +
                           kNames[in.ConsumeIntegralInRange<int>(0, 3)];
        fakefs::addFile(path, "old:" + path, in.ConsumeIntegral<uint8_t>() > 0xE0 ? 0x21 : 0x20);
    }

    CopyList list;
    for (int i = 0; i < count; ++i) {
        std::unique_ptr<CopyEntry> e(new CopyEntry);
        e->source.setPath(sources[size_t(i)].c_str());
        e->source.isFile();
        std::string dest = std::string(kFolders[in.ConsumeIntegralInRange<int>(0, 3)]) + "\\" +
                           kNames[in.ConsumeIntegralInRange<int>(0, 3)];
        e->destination.setPath(dest.c_str());
        list.push_back(std::move(e));
    }
    const Snapshot before{fakefs::state().nodes};
    std::set<std::string, fakefs::NoCaseLess> existedBefore;
    for (auto& n : before.nodes)
        if (!n.second.folder) existedBefore.insert(n.first);

    // Failures of the calls a copy makes; undoing (deleting, removing
    // folders, moving a file back) is never made to fail, since nothing
    // could put the disk back then.
    const uint8_t failRate = in.ConsumeIntegral<uint8_t>();
    fakefs::state().fail = [&](const char* op, const std::string& path) {
        if (!std::strcmp(op, "DeleteFileA") || !std::strcmp(op, "RemoveDirectoryA")) return false;
        // Only the move that puts an existing file aside may fail.
        if (!std::strcmp(op, "MoveFileA") && !existedBefore.count(path)) return false;
        return in.ConsumeIntegral<uint8_t>() < failRate / 8;
    };

    RandomPrompts prompts(in);
    CopyJob::Status status;
    {
        CopyJob job(list, prompts);
        const int stopAt = in.ConsumeIntegralInRange<int>(-1, 40);
        int steps = 0;
        while (job.step() == CopyJob::Running) {
            FUZZ_CHECK(++steps < 100000);
            if (steps == stopAt) job.abort();
        }
        status = job.status();
        FUZZ_CHECK(status != CopyJob::Running);
    }
    fakefs::state().fail = nullptr;
    FUZZ_CHECK(fakefs::state().open.empty());

    auto& after = fakefs::state().nodes;
    if (status == CopyJob::Aborted) {
        for (auto& n : after) {
            auto old = before.nodes.find(n.first);
            FUZZ_CHECK(old != before.nodes.end());  // nothing the run made remains
        }
        for (auto& n : before.nodes) {
            if (n.second.folder) {
                FUZZ_CHECK(after.count(n.first));
                continue;
            }
            if (prompts.agreedToAll || prompts.agreed.count(n.first)) {
                // Overwritten at the user's word: it may hold the new bytes
                // or, when its copy broke off, be gone.
                continue;
            }
            auto now = after.find(n.first);
            FUZZ_CHECK(now != after.end());
            FUZZ_CHECK(now->second.bytes == n.second.bytes);
        }
    } else {
        for (auto& e : list) {
            if (e->result == CopyEntry::NotDone) continue;
            // A later entry of the same name the user let overwrite it may
            // have broken off and removed it.
            if (prompts.agreedToAll || prompts.agreed.count(e->destination.fullPath())) continue;
            fakefs::Node* dst = fakefs::find(e->destination.fullPath());
            fakefs::Node* src = fakefs::find(e->source.fullPath());
            FUZZ_CHECK(dst && src);
            // A later entry of the same destination may have replaced it.
            bool later = false;
            for (auto& f : list)
                if (f.get() != e.get() && f->result != CopyEntry::NotDone &&
                    fakefs::sameName(f->destination.fullPath(), e->destination.fullPath()))
                    later = true;
            if (!later) FUZZ_CHECK(dst->bytes == src->bytes);
            if (e->result == CopyEntry::RenamedFirst) {
                fakefs::Node* aside = fakefs::find(e->renamed.fullPath());
                FUZZ_CHECK(aside != nullptr);
            }
        }
        // Files that existed are still there (under their own or a new name)
        // unless the user agreed to overwrite them.
        for (auto& n : before.nodes) {
            if (n.second.folder || prompts.agreedToAll || prompts.agreed.count(n.first)) continue;
            bool kept = false;
            for (auto& m : after)
                if (!m.second.folder && m.second.bytes == n.second.bytes) kept = true;
            FUZZ_CHECK(kept);
        }
    }
    fakefs::enable(false);
    return 0;
}
