// polmina-startdata OUT_FILE [--seed N] [--years Y]
// Writes the start data file of a new game: the computer cats and the hall of retired cats that the
// game's own engine leaves after Y seasons played from seed N. The defaults make the shipped file.
#include <chrono>
#include <cstring>
#include <iostream>
#include <optional>
#include <string>

#include "store/file_io.h"
#include "world.h"

namespace {

using namespace polmina;

struct Options {
  std::string out;
  uint64_t seed = startdata::DefaultSeed;
  int years = startdata::DefaultYears;
};

std::optional<Options> parseArgs(int argc, char** argv) {
  Options o;
  try {
    for (int i = 1; i < argc; ++i) {
      const std::string a = argv[i];
      if (a == "--seed" && i + 1 < argc)
        o.seed = std::stoull(argv[++i]);
      else if (a == "--years" && i + 1 < argc)
        o.years = std::stoi(argv[++i]);
      else if (o.out.empty() && !a.starts_with("--"))
        o.out = a;
      else
        return std::nullopt;
    }
  } catch (const std::exception&) {
    return std::nullopt;
  }
  if (o.out.empty() || o.years < 1 || o.years > 1000) return std::nullopt;
  return o;
}

}  // namespace

int main(int argc, char** argv) {
  const auto o = parseArgs(argc, argv);
  if (!o) {
    std::cerr << "usage: polmina-startdata OUT_FILE [--seed N] [--years Y (1..1000)]\n";
    return 2;
  }
  const auto started = std::chrono::steady_clock::now();
  const startdata::World w = startdata::liveSeasons(o->seed, o->years);
  if (const std::string p = startdata::startDataProblem(w); !p.empty()) {
    std::cerr << "polmina-startdata: the world is not fit to ship: " << p << "\n";
    return 1;
  }
  if (const int rc = replaceFile(o->out, startdata::startDataBytes(w)); rc != 0) {
    std::cerr << "polmina-startdata: cannot write " << o->out << ": " << std::strerror(rc) << "\n";
    return 1;
  }
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - started;
  std::cout << "seed " << o->seed << ", " << o->years << " seasons, " << took.count() << " s\n"
            << startdata::census(w);
  return 0;
}
