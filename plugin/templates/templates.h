// The dialog templates of the plug-in, as data (library quorvel_resources).
//
// A run installs these for its length with a ResourceScope:
//   ui::ResourceScope resources(ui::PlugInTemplates());
// after which CDialog / CPropertyPage find their template by id.
#pragma once

#include <span>
#include <string_view>

#include "framework/core/dialog_template.h"

namespace quorvel::ui {

// Template ids.
inline constexpr int IDD_NIS_ATTRIBUTES = 11000;    // page CNISAttrib
inline constexpr int IDD_FOLLOWERS = 11001;         // page CFOLWAttrib
inline constexpr int IDD_CAMERAS = 11003;           // page CCMRAAttrib
inline constexpr int IDD_EVENT_EDITOR = 11005;      // CEventEditor
inline constexpr int IDD_EVENT_ATTRIBUTES = 11006;  // CEventAttrib
inline constexpr int IDD_FLOAT_INPUT = 11007;       // CFloatInput
inline constexpr int IDD_STRING_INPUT = 11008;      // CStringInput
inline constexpr int IDD_OBJECT_INPUT = 11009;      // CObjectInput

// Control ids, by template.
// 11000 NIS Attributes
inline constexpr int IDC_FRAME_RATE = 11000;
inline constexpr int IDC_EVENT_EDITOR = 11014;  // "Event Editor" on every page
// 11001 Followers
inline constexpr int IDC_SOB_GROUP_NAME = 11001;
inline constexpr int IDC_SOB_GROUP_TYPE = 11002;
inline constexpr int IDC_FOLLOWER_NAME = 11003;
// 11003 Cameras
inline constexpr int IDC_CAMERA_NAME = 11003;
inline constexpr int IDC_CENTER_OF_INTEREST = 11006;
// 11005 Event Editor
inline constexpr int IDC_EVENT_LIST = 11006;
inline constexpr int IDC_ADD = 11007;
inline constexpr int IDC_EDIT = 11008;
inline constexpr int IDC_REMOVE = 11009;
// 11006 Event Attributes
inline constexpr int IDC_VALUE = 11008;
inline constexpr int IDC_FRAME = 11009;
inline constexpr int IDC_EVENT = 11010;
// 11007, 11008, 11009 Input
inline constexpr int IDC_INPUT = 11011;
inline constexpr int IDC_PROMPT = 11012;
inline constexpr int IDC_OBJECT = 11013;

// Every template of the plug-in, in id order.
TemplateSet PlugInTemplates();

// The template with this id among PlugInTemplates(), or nullptr.
const DialogTemplate* FindPlugInTemplate(int id);

// The initial entries of the Followers page's Sob group type combo (11002), in order.
std::span<const std::string_view> SobGroupTypeEntries();

}  // namespace quorvel::ui
