// Everything a page or dialog of the system needs from the framework, in one include.
#pragma once

#include "ui/framework/application.h"
#include "ui/framework/backend.h"
#include "ui/framework/combo_box.h"
#include "ui/framework/constants.h"
#include "ui/framework/data_exchange.h"
#include "ui/framework/dialog.h"
#include "ui/framework/file_dialog.h"
#include "ui/framework/list_ctrl.h"
#include "ui/framework/message_box.h"
#include "ui/framework/message_map.h"
#include "ui/framework/property_page.h"
#include "ui/framework/property_sheet.h"
#include "ui/framework/resource_scope.h"
#include "ui/framework/simple_controls.h"
