#pragma once

#include <cstddef>
#include <string>

namespace quorvel::host {

// The names of the temporary files a save writes beside a model. They do not grow
// with the model's name, so that a model whose name is as long as its folder allows
// can be saved all the same: ".quorvel-save-", twelve hexadecimal digits of a hash of
// the model's name (which tells whose save left one), "-", and six random letters
// and digits, 33 bytes in all, such as ".quorvel-save-3f09a1c4b2de-Xa81Qz".

inline constexpr std::size_t kTemporaryRandomLength = 6;
inline constexpr std::size_t kTemporaryNameLength = 33;

// The name up to its random part for saves of the file named `baseName`.
std::string TemporaryNamePrefix(const std::string& baseName);

// Whether `name` is the name of a temporary file of a save of the file named
// `baseName`: of the form above, or of the form earlier versions wrote,
// ".BASENAME.quorvel-save-" and six random characters.
bool IsTemporaryNameOf(const std::string& name, const std::string& baseName);

}  // namespace quorvel::host
