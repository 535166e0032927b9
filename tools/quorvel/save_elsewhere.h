#pragma once

#include <optional>
#include <string>

#include "host/ms_model_lib.h"

namespace quorvel::app {

// After the edited model could not be saved to its own file `path`, for `reason`
// (the host library's error text): tells the user in a message box, naming the file
// and the reason, and offers to save the edited model to another file through the
// file chooser (a new name; replacing a file is asked). A copy that fails is told
// the same way and offered again. Returns the file the model was saved to, or
// nullopt when the user declined or cancelled: nothing was written then. Needs the
// backend installed.
std::optional<std::string> OfferToSaveElsewhere(msModel* model, const std::string& path,
                                                std::string reason);

}  // namespace quorvel::app
