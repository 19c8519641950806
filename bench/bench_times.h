// A console reporter that keeps each benchmark's time, so that a program
// can print ratios against its peers after the table.
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

class TimesReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs)
      if (run.run_type == Run::RT_Iteration)
        m_times[run.benchmark_name()] = run.GetAdjustedRealTime();
    ConsoleReporter::ReportRuns(runs);
  }

  // The time of ours over the time of peer; 0 when either did not run.
  double Ratio(const std::string& ours, const std::string& peer) const {
    auto a = m_times.find(ours);
    auto b = m_times.find(peer);
    if (a == m_times.end() || b == m_times.end() || b->second <= 0)
      return 0.0;
    return a->second / b->second;
  }

 private:
  std::map<std::string, double> m_times;
};
