// tarvel_startup_probe <run folder> <design.tpvd> [runs]
//
// Start-up time and peak memory of the real programs, as a user meets them:
//   start-up  `tarvel` offscreen with TARVEL_STARTUP_PROBE set: the time from starting the process to
//             the main window's first paint (the program reports the moment and quits), and the
//             peak resident memory of that run;
//   session   `tarvel-batch <design> --pdf`: a design replayed through the window's handlers and
//             its report written as PDF, wall time and peak resident memory.
// Each is run in both interface languages. The programs run in a private copy of the run folder with
// their own Language.ini, so the run folder and its settings are left as they are. Peak memory is
// the kernel's high-water mark of the child (getrusage maxrss, the same figure as VmHWM).

#include "app/startup_probe.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct RunResult {
    double ms = 0;        // to the first paint (start-up) or to the exit (session)
    long peakKb = 0;      // maxrss of the child
};

struct Child {
    int status = 0;
    long peakKb = 0;
    std::string stderrText;
    std::chrono::steady_clock::time_point started;
    std::chrono::steady_clock::time_point ended;
};

// Runs `argv` in `dir` with `environment` added, collecting its standard error.
Child run(const fs::path& dir, const std::vector<std::string>& argv,
          const std::vector<std::pair<std::string, std::string>>& environment) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        throw std::runtime_error(std::string("pipe: ") + std::strerror(errno));
    Child child;
    child.started = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid < 0)
        throw std::runtime_error(std::string("fork: ") + std::strerror(errno));
    if (pid == 0) {
        close(pipeFds[0]);
        dup2(pipeFds[1], STDERR_FILENO);
        close(pipeFds[1]);
        if (chdir(dir.c_str()) != 0)
            _exit(126);
        for (const auto& [name, value] : environment)
            setenv(name.c_str(), value.c_str(), 1);
        std::vector<char*> args;
        for (const std::string& a : argv)
            args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        execv(args[0], args.data());
        _exit(127);
    }
    close(pipeFds[1]);
    char buffer[4096];
    ssize_t n;
    while ((n = read(pipeFds[0], buffer, sizeof buffer)) > 0 || (n < 0 && errno == EINTR))
        if (n > 0)
            child.stderrText.append(buffer, static_cast<std::size_t>(n));
    close(pipeFds[0]);
    rusage usage{};
    while (wait4(pid, &child.status, 0, &usage) < 0 && errno == EINTR) {
    }
    child.ended = std::chrono::steady_clock::now();
    child.peakKb = usage.ru_maxrss;
    return child;
}

void requireSuccess(const Child& child, const std::string& what) {
    if (!WIFEXITED(child.status) || WEXITSTATUS(child.status) != 0)
        throw std::runtime_error(what + " failed (status " + std::to_string(child.status) + "):\n" +
                                 child.stderrText);
}

double msBetween(std::chrono::steady_clock::time_point a, std::chrono::steady_clock::time_point b) {
    return std::chrono::duration<double, std::milli>(b - a).count();
}

RunResult startUp(const fs::path& dir) {
    const Child child = run(dir, {(dir / "tarvel").string()},
                            {{"QT_QPA_PLATFORM", "offscreen"}, {tarvel::kStartupProbeVariable, "1"}});
    requireSuccess(child, "tarvel");
    const std::size_t at = child.stderrText.find(tarvel::kStartupProbeLine);
    if (at == std::string::npos)
        throw std::runtime_error("tarvel reported no first paint:\n" + child.stderrText);
    const long long shownNs = std::atoll(child.stderrText.c_str() + at + std::strlen(tarvel::kStartupProbeLine));
    const long long startNs =
        std::chrono::duration_cast<std::chrono::nanoseconds>(child.started.time_since_epoch()).count();
    return {static_cast<double>(shownNs - startNs) / 1e6, child.peakKb};
}

RunResult session(const fs::path& dir, const fs::path& design, const std::string& language) {
    const fs::path pdf = dir / "report.pdf";
    fs::remove(pdf);
    const Child child =
        run(dir, {(dir / "tarvel-batch").string(), design.string(), "--pdf", pdf.string(), "--lang", language},
            {{"QT_QPA_PLATFORM", "offscreen"}});
    requireSuccess(child, "tarvel-batch");
    if (!fs::exists(pdf) || fs::file_size(pdf) == 0)
        throw std::runtime_error("tarvel-batch wrote no report");
    return {msBetween(child.started, child.ended), child.peakKb};
}

void summary(const char* what, std::vector<RunResult> results) {
    auto field = [&](auto member) {
        std::vector<double> v;
        for (const RunResult& r : results)
            v.push_back(static_cast<double>(r.*member));
        std::sort(v.begin(), v.end());
        return std::vector<double>{v[v.size() / 2], v.front(), v.back()};
    };
    const auto ms = field(&RunResult::ms);
    const auto kb = field(&RunResult::peakKb);
    std::printf("%-28s %8.1f ms median %8.1f min %8.1f max   peak RSS %7.0f KB median %7.0f min %7.0f max\n",
                what, ms[0], ms[1], ms[2], kb[0], kb[1], kb[2]);
}

// A private run folder: the programs and the files they read, and a settings file of our own.
fs::path copyRunFolder(const fs::path& runDir) {
    char pattern[] = "/tmp/tarvel-startup-probe-XXXXXX";
    if (!mkdtemp(pattern))
        throw std::runtime_error(std::string("mkdtemp: ") + std::strerror(errno));
    const fs::path dir(pattern);
    for (const char* name : {"tarvel", "tarvel-batch", "VurIvira", "chinatoEN.lng", "000.bmp"})
        fs::copy_file(runDir / name, dir / name);
    return dir;
}

void writeLanguage(const fs::path& dir, const std::string& language) {
    std::ofstream(dir / "Language.ini") << "[LanguageOf]\nLanguage=" << language << "\n";
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: tarvel_startup_probe <run folder> <design.tpvd> [runs]\n");
        return 2;
    }
    const fs::path runDir = fs::absolute(argv[1]);
    const fs::path design = fs::absolute(argv[2]);
    const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 11;
    std::optional<fs::path> dir;
    try {
        dir = copyRunFolder(runDir);
        for (const std::string language : {"1252", "936"}) {
            writeLanguage(*dir, language);
            startUp(*dir); // warms the page cache; not counted
            std::vector<RunResult> startUps, sessions;
            for (int i = 0; i < runs; ++i)
                startUps.push_back(startUp(*dir));
            for (int i = 0; i < runs; ++i)
                sessions.push_back(session(*dir, design, language));
            summary(("start-up to first paint " + language).c_str(), startUps);
            summary(("3-input design + PDF " + language).c_str(), sessions);
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "tarvel_startup_probe: %s\n", error.what());
        if (dir)
            fs::remove_all(*dir);
        return 1;
    }
    fs::remove_all(*dir);
    return 0;
}
