// Everything a page or dialog of the system needs from the framework, in one include.
#pragma once

#include "framework/core/application.h"
#include "framework/core/backend.h"
#include "framework/core/combo_box.h"
#include "framework/core/constants.h"
#include "framework/core/data_exchange.h"
#include "framework/core/dialog.h"
#include "framework/core/file_dialog.h"
#include "framework/core/list_ctrl.h"
#include "framework/core/message_box.h"
#include "framework/core/message_map.h"
#include "framework/core/property_page.h"
#include "framework/core/property_sheet.h"
#include "framework/core/resource_scope.h"
#include "framework/core/simple_controls.h"
