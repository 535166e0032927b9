// quorvel_control_table: the table of control ids for people who write UI scripts.
//
//   quorvel_control_table            prints it
//   quorvel_control_table DOC        writes it into DOC (docs/ui-scripts.md), between
//                                    the lines that enclose it there
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>

#include "plugin/templates/control_table.h"

int main(int argc, char** argv) {
  using namespace quorvel::ui;
  const std::string table = ControlIdTable();
  if (argc == 1) {
    std::cout << table;
    return 0;
  }
  if (argc != 2 || std::string(argv[1]).starts_with("-")) {
    std::cerr << "usage: quorvel_control_table [DOC]\n";
    return 1;
  }
  const std::string path = argv[1];
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  if (!in) {
    std::cerr << "quorvel_control_table: cannot read " << path << "\n";
    return 1;
  }
  const std::optional<std::string> updated = WithControlIdTable(text.str(), table);
  if (!updated) {
    std::cerr << "quorvel_control_table: " << path << " lacks the lines \"" << kControlTableBegin
              << "\" and \"" << kControlTableEnd << "\" that enclose the table\n";
    return 1;
  }
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << *updated;
  if (!out.flush()) {
    std::cerr << "quorvel_control_table: cannot write " << path << "\n";
    return 1;
  }
  return 0;
}
