// The closing table of ./dev.sh bench: the control beside QCalendarWidget, each measure as a
// ratio with its goal. Reads the Qt benchmark's JSON (run with repetitions: the medians are
// taken) and the instruction count of one refresh.
//
//   bench_table --qt QT.json --instructions N [--headless HEADLESS.json] [--json]
//
// --json prints the table as one JSON document: the rows, the instruction count, and the
// benchmarks' own JSON (Qt, and headless when given).
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

namespace {

using nlohmann::json;

std::optional<json> read_json(const char* path) {
  std::ifstream file(path);
  if (!file) {
    std::fprintf(stderr, "bench_table: cannot read %s\n", path);
    return std::nullopt;
  }
  try {
    return json::parse(file);
  } catch (const json::exception& error) {
    std::fprintf(stderr, "bench_table: %s: %s\n", path, error.what());
    return std::nullopt;
  }
}

// The median of a benchmark's repetitions, or its only run when it ran once.
std::optional<json> run_of(const json& results, const std::string& name) {
  std::optional<json> single;
  for (const json& run : results.at("benchmarks")) {
    if (run.value("run_name", run.value("name", "")) != name) continue;
    if (run.value("aggregate_name", "") == "median") return run;
    if (run.value("run_type", "iteration") == "iteration" && !single) single = run;
  }
  return single;
}

// CPU time in microseconds.
std::optional<double> cpu_microseconds(const json& results, const std::string& name) {
  const std::optional<json> run = run_of(results, name);
  if (!run) return std::nullopt;
  const double time = run->at("cpu_time").get<double>();
  const std::string unit = run->value("time_unit", "ns");
  if (unit == "ns") return time / 1e3;
  if (unit == "ms") return time * 1e3;
  if (unit == "s") return time * 1e6;
  return time;
}

std::optional<double> counter(const json& results, const std::string& name,
                              const std::string& key) {
  const std::optional<json> run = run_of(results, name);
  if (!run || !run->contains(key)) return std::nullopt;
  return run->at(key).get<double>();
}

struct Row {
  std::string measure;
  std::string unit;
  std::optional<double> dnovar;
  std::optional<double> qt;  // none: an absolute goal
  double goal;
};

std::optional<double> value_of(const Row& row) {
  if (!row.qt) return row.dnovar;
  if (!row.dnovar || *row.qt <= 0) return std::nullopt;
  return *row.dnovar / *row.qt;
}

std::string number(std::optional<double> value, int decimals) {
  if (!value) return "-";
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, *value);
  std::string digits = text;
  // Thousands separated for whole numbers, as the issue tables write them.
  if (decimals == 0)
    for (int at = static_cast<int>(digits.size()) - 3; at > (digits[0] == '-' ? 1 : 0); at -= 3)
      digits.insert(static_cast<std::size_t>(at), ",");
  return digits;
}

int usage() {
  std::fprintf(stderr,
               "usage: bench_table --qt QT.json --instructions N [--headless FILE] [--json]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  const char* qt_path = nullptr;
  const char* headless_path = nullptr;
  std::optional<double> instructions;
  bool as_json = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--qt") == 0 && i + 1 < argc) {
      qt_path = argv[++i];
    } else if (std::strcmp(argv[i], "--instructions") == 0 && i + 1 < argc) {
      instructions = std::atof(argv[++i]);
    } else if (std::strcmp(argv[i], "--headless") == 0 && i + 1 < argc) {
      headless_path = argv[++i];
    } else if (std::strcmp(argv[i], "--json") == 0) {
      as_json = true;
    } else {
      return usage();
    }
  }
  if (qt_path == nullptr) return usage();
  const std::optional<json> read = read_json(qt_path);
  if (!read) return 1;
  const json& qt = *read;
  std::optional<json> headless;
  if (headless_path != nullptr && !(headless = read_json(headless_path))) return 1;

  const auto kib = [](std::optional<double> bytes) -> std::optional<double> {
    if (!bytes) return std::nullopt;
    return *bytes / 1024.0;
  };
  const std::vector<Row> rows = {
      {"Aktualizuj on headless, instructions per refresh (callgrind, 1000 refreshes)", "",
       instructions, std::nullopt, 4500},
      {"Month switch with synchronous repaint, CPU time", "us",
       cpu_microseconds(qt, "BM_MonthSwitch_Dnovar"),
       cpu_microseconds(qt, "BM_MonthSwitch_QCalendarWidget"), 0.15},
      {"Creation to first paint, CPU time", "us", cpu_microseconds(qt, "BM_FirstPaint_Dnovar"),
       cpu_microseconds(qt, "BM_FirstPaint_QCalendarWidget"), 0.25},
      {"Resident memory per live instance (200 live)", "KiB",
       kib(counter(qt, "BM_Memory_Dnovar/iterations:1", "rss_per_instance")),
       kib(counter(qt, "BM_Memory_QCalendarWidget/iterations:1", "rss_per_instance")), 0.60},
      {"Heap per live instance (200 live)", "KiB",
       kib(counter(qt, "BM_Memory_Dnovar/iterations:1", "heap_per_instance")),
       kib(counter(qt, "BM_Memory_QCalendarWidget/iterations:1", "heap_per_instance")), 0.50},
  };

  if (as_json) {
    json table = json::array();
    for (const Row& row : rows) {
      const std::optional<double> value = value_of(row);
      json entry = {{"measure", row.measure}, {"goal", row.goal}};
      entry["dnovar"] = row.dnovar ? json(*row.dnovar) : json(nullptr);
      if (row.qt) {
        entry["unit"] = row.unit;
        entry["qcalendarwidget"] = json(*row.qt);
        entry["ratio"] = value ? json(*value) : json(nullptr);
      }
      entry["met"] = value ? json(*value <= row.goal) : json(nullptr);
      table.push_back(entry);
    }
    json document = {{"table", table}, {"qt", qt}};
    document["instructions_per_refresh"] = instructions ? json(*instructions) : json(nullptr);
    if (headless) document["headless"] = *headless;
    std::printf("%s\n", document.dump(2).c_str());
    return 0;
  }

  std::printf("\n| Measure | Dnovar | QCalendarWidget | Now | Goal | Met |\n");
  std::printf("|---|---|---|---|---|---|\n");
  for (const Row& row : rows) {
    const std::optional<double> value = value_of(row);
    const std::string met = !value ? "-" : *value <= row.goal ? "yes" : "no";
    if (!row.qt) {
      std::printf("| %s | %s | | %s | <= %s | %s |\n", row.measure.c_str(),
                  number(row.dnovar, 0).c_str(), number(value, 0).c_str(),
                  number(row.goal, 0).c_str(), met.c_str());
      continue;
    }
    const int decimals = row.unit == "KiB" ? 0 : 1;
    std::printf("| %s | %s %s | %s %s | %s | <= %s | %s |\n", row.measure.c_str(),
                number(row.dnovar, decimals).c_str(), row.unit.c_str(),
                number(row.qt, decimals).c_str(), row.unit.c_str(), number(value, 2).c_str(),
                number(row.goal, 2).c_str(), met.c_str());
  }
  return 0;
}
