#include "plugin/attributes/name_list.h"

#include <algorithm>

namespace quorvel {

NameList::NameList(std::initializer_list<std::string> names)
    : names_(std::make_shared<std::vector<std::string>>(names)) {}

NameList::NameList(std::vector<std::string> names)
    : names_(std::make_shared<std::vector<std::string>>(std::move(names))) {}

void NameList::push_back(std::string name) {
  if (!names_) {
    names_ = std::make_shared<std::vector<std::string>>();
  } else if (names_.use_count() > 1) {
    names_ = std::make_shared<std::vector<std::string>>(*names_);
  }
  names_->push_back(std::move(name));
}

bool operator==(const NameList& a, const NameList& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end());
}

const std::vector<std::string>& NameList::Empty() {
  static const std::vector<std::string> empty;
  return empty;
}

}  // namespace quorvel
