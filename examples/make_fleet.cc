// Writes the example model: make_fleet OUTPUT (examples/fleet.ms3d is its output).
#include <exception>
#include <iostream>

#include "examples/fleet_model.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make_fleet OUTPUT.ms3d\n";
    return 1;
  }
  try {
    quorvel::examples::SaveModelFile(quorvel::examples::FleetModel(), argv[1]);
  } catch (const std::exception& error) {
    std::cerr << "make_fleet: " << error.what() << "\n";
    return 2;
  }
  return 0;
}
