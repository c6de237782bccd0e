// startup_bench: the wall time of `kelvano.exe Hello` (start, read the command line, decide there
// is nothing to do, exit) beside a program that does nothing at all and, optionally, one that does
// nothing but import the same Windows DLLs. Started in turn from inside Wine with CreateProcessW;
// the time runs from the call to the moment the process handle is signalled. Peak memory is
// measured from Linux (linux_startup.py): Wine fills PeakWorkingSetSize from the Linux process,
// which is mostly gone by the time an ended process's handle is signalled.
//
//   startup_bench.exe --kelvano=Z:\...\kelvano.exe --minimal=Z:\...\minimal.exe
//                     [--imports=Z:\...\imports_only.exe] [--runs=20]
#include <windows.h>

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "bench_support.h"

namespace {

struct Series {
  std::string name;
  std::wstring exe;
  std::wstring tail;
  std::vector<double> wallMs;
  DWORD lastExitCode = 0;
};

double RunOnceMs(Series& series) {
  bench::Process process(series.exe, bench::QuotedCommandLine(series.exe, series.tail));
  if (!process.WaitForExit(30000)) throw std::runtime_error(series.name + " did not end within 30 s");
  series.lastExitCode = process.ExitCode();
  return bench::Milliseconds(*process.exitedAt() - process.startedAt());
}

int Run(std::vector<Series> series, int runs) {
  // One of each first, not counted: the first start of an executable reads it from disk.
  for (auto& s : series) RunOnceMs(s);
  // In turn, and starting each round with the next program, so that none always follows another.
  for (int i = 0; i < runs; ++i) {
    for (std::size_t j = 0; j < series.size(); ++j) {
      auto& s = series[(i + j) % series.size()];
      s.wallMs.push_back(RunOnceMs(s));
    }
  }

  std::printf("startup_bench (inside Wine: CreateProcessW -> process ended), %d runs of each, in turn\n", runs);
  std::printf("  %-20s %10s %10s %10s %10s  %s\n", "program", "min ms", "median ms", "mean ms", "max ms", "exit code");
  for (const auto& s : series) {
    const auto w = bench::Summarize(s.wallMs);
    std::printf("  %-20s %10.1f %10.1f %10.1f %10.1f  %lu\n", s.name.c_str(), w.min, w.median, w.mean, w.max,
                s.lastExitCode);
  }
  const double kelvano = bench::Summarize(series[0].wallMs).median;
  const double minimal = bench::Summarize(series[1].wallMs).median;
  std::printf("  ratio kelvano/minimal, median wall time: %.3f (goal < 1.05: %s)\n", kelvano / minimal,
              kelvano / minimal < 1.05 ? "met" : "NOT MET");
  if (series.size() > 2) {
    std::printf("  ratio kelvano/imports_only, median wall time: %.3f\n",
                kelvano / bench::Summarize(series[2].wallMs).median);
  }
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  try {
    const bench::Options options(argc, argv);
    std::vector<Series> series{{"kelvano.exe Hello", options.Required(L"kelvano"), L"Hello", {}, 0},
                               {"minimal.exe", options.Required(L"minimal"), L"", {}, 0}};
    if (const auto imports = options.Text(L"imports"); !imports.empty()) {
      series.push_back({"imports_only.exe", imports, L"", {}, 0});
    }
    return Run(std::move(series), std::max(1, static_cast<int>(options.Number(L"runs", 20))));
  } catch (const std::exception& failure) {
    std::fflush(stdout);
    std::fprintf(stderr, "startup_bench: %s\n", failure.what());
    return 1;
  }
}
