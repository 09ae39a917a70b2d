// Starting programs and ending them again, with everything they started.
// Each Driver puts its processes into a job object that ends them when it is
// closed; processes that escaped the job are found by parent id in a snapshot.
#include "driver.h"
#include <tlhelp32.h>
#include <map>

namespace e2e {
namespace {

ULONGLONG creationTime(HANDLE process) {
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return 0;
    return (static_cast<ULONGLONG>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
}

// Ends pid and, depth first, every process whose parent it is. A child must
// have been created after its parent: this keeps a reused parent id from
// pulling in an unrelated process.
void killTree(DWORD pid, ULONGLONG bornAfter, const std::multimap<DWORD, DWORD>& children,
              std::vector<HANDLE>* ended, int depth) {
    HANDLE h = OpenProcess(PROCESS_TERMINATE | PROCESS_QUERY_INFORMATION | SYNCHRONIZE, FALSE, pid);
    if (!h) return;
    ULONGLONG born = creationTime(h);
    if (born && bornAfter && born < bornAfter) {
        CloseHandle(h);
        return;
    }
    // Children first, while their parent link still says where they came from.
    if (depth < 16) {
        auto range = children.equal_range(pid);
        for (auto it = range.first; it != range.second; ++it)
            killTree(it->second, born, children, ended, depth + 1);
    }
    TerminateProcess(h, 1);
    ended->push_back(h);
}

std::multimap<DWORD, DWORD> childrenByParent() {
    std::multimap<DWORD, DWORD> map;
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snap == INVALID_HANDLE_VALUE) return map;
    PROCESSENTRY32 pe;
    pe.dwSize = sizeof pe;
    for (BOOL ok = Process32First(snap, &pe); ok; ok = Process32Next(snap, &pe))
        if (pe.th32ProcessID != pe.th32ParentProcessID) map.emplace(pe.th32ParentProcessID, pe.th32ProcessID);
    CloseHandle(snap);
    return map;
}

DWORD parentOf(DWORD pid) {
    DWORD parent = 0;
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snap == INVALID_HANDLE_VALUE) return 0;
    PROCESSENTRY32 pe;
    pe.dwSize = sizeof pe;
    for (BOOL ok = Process32First(snap, &pe); ok; ok = Process32Next(snap, &pe))
        if (pe.th32ProcessID == pid) {
            parent = pe.th32ParentProcessID;
            break;
        }
    CloseHandle(snap);
    return parent;
}

}  // namespace

bool Process::waitExit(DWORD timeoutMs, DWORD* exitCode) const {
    if (!handle || WaitForSingleObject(handle, timeoutMs) != WAIT_OBJECT_0) return false;
    if (exitCode && !GetExitCodeProcess(handle, exitCode)) return false;
    return true;
}

bool Process::running() const { return handle && WaitForSingleObject(handle, 0) == WAIT_TIMEOUT; }

Driver::~Driver() { killAll(); }

Process Driver::start(const std::string& exe, const std::string& args, const std::string& workDir) {
    Process p;
    // Wine starts its desktop process for whichever process first needs it;
    // let that be this one, so that the desktop never ends up in the job.
    GetDesktopWindow();
    if (!job_) {
        job_ = CreateJobObjectA(nullptr, nullptr);
        if (job_) {
            JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
            limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
            SetInformationJobObject(job_, JobObjectExtendedLimitInformation, &limits, sizeof limits);
        }
    }
    std::string dir = workDir;
    if (dir.empty()) {
        size_t cut = std::string::npos;
        for (size_t i = 0; i < exe.size(); ++i) {
            if (IsDBCSLeadByte(static_cast<BYTE>(exe[i])) && i + 1 < exe.size()) {
                ++i;
                continue;
            }
            if (exe[i] == '\\' || exe[i] == '/') cut = i;
        }
        if (cut != std::string::npos) dir = exe.substr(0, cut == 2 ? 3 : cut);
    }
    std::string line = "\"" + exe + "\"";
    if (!args.empty()) line += " " + args;
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    // Suspended until it is in the job, so that nothing it starts can slip out.
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                        dir.empty() ? nullptr : dir.c_str(), &si, &pi))
        return p;
    if (job_) AssignProcessToJobObject(job_, pi.hProcess);
    ResumeThread(pi.hThread);
    CloseHandle(pi.hThread);
    p.pid = pi.dwProcessId;
    p.handle = pi.hProcess;
    started_.push_back(p);
    return p;
}

bool Driver::owns(DWORD pid) const {
    for (const Process& p : started_)
        if (p.pid == pid) return true;
    if (job_) {
        BOOL inJob = FALSE;
        if (HANDLE h = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, pid)) {
            if (!IsProcessInJob(h, job_, &inJob)) inJob = FALSE;
            CloseHandle(h);
        }
        if (inJob) return true;
    }
    // Without the job: a descendant of a started process.
    for (int depth = 0; depth < 16 && pid; ++depth) {
        pid = parentOf(pid);
        for (const Process& p : started_)
            if (p.pid == pid) return true;
    }
    return false;
}

Process Driver::attach(HWND w) {
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    for (const Process& p : started_)
        if (p.pid == pid) return p;
    Process p;
    if (!pid) return p;
    p.handle = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_INFORMATION, FALSE, pid);
    if (!p.handle) return p;
    p.pid = pid;
    started_.push_back(p);
    return p;
}

void Driver::killAll() {
    std::vector<HANDLE> ended;
    if (!started_.empty()) {
        const std::multimap<DWORD, DWORD> children = childrenByParent();
        for (const Process& p : started_)
            if (p.running()) killTree(p.pid, 0, children, &ended, 0);
    }
    if (job_) {
        // Members the snapshot missed (their parent had already ended) are waited for too.
        struct {
            JOBOBJECT_BASIC_PROCESS_ID_LIST head;
            ULONG_PTR more[255];
        } list = {};
        list.head.NumberOfAssignedProcesses = 256;
        if (QueryInformationJobObject(job_, JobObjectBasicProcessIdList, &list, sizeof list, nullptr))
            for (DWORD i = 0; i < list.head.NumberOfProcessIdsInList && i < 256; ++i)
                if (HANDLE h =
                        OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(list.head.ProcessIdList[i])))
                    ended.push_back(h);
        TerminateJobObject(job_, 1);
        CloseHandle(job_);
        job_ = nullptr;
    }
    // Wait for the ends, so that the next test finds its files released.
    for (HANDLE h : ended) {
        WaitForSingleObject(h, 5000);
        CloseHandle(h);
    }
    for (Process& p : started_) {
        WaitForSingleObject(p.handle, 5000);
        CloseHandle(p.handle);
    }
    started_.clear();
}

}  // namespace e2e
