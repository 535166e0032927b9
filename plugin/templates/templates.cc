#include "plugin/templates/templates.h"

#include <algorithm>

#include "plugin/attributes/sob_types.h"

namespace quorvel::ui {
namespace {

using enum ControlClass;

// Styles the resource compiler gives each kind of control, plus what the templates add.
constexpr uint32_t kPush = BS_PUSHBUTTON | WS_TABSTOP;
constexpr uint32_t kDefPush = BS_DEFPUSHBUTTON | WS_TABSTOP;
constexpr uint32_t kEditStyle = ES_LEFT | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;
constexpr uint32_t kLabel = SS_LEFT;
constexpr uint32_t kCentredLabel = SS_LEFT | SS_CENTERIMAGE;
constexpr uint32_t kDropList = CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;

// 11000: NIS Attributes page.
constexpr ControlTemplate kNisAttributesControls[] = {
    {IDC_STATIC, kStatic, "Frames Per Second:", {5, 5, 70, 12}, kLabel},
    {IDC_FRAME_RATE, kEdit, "", {80, 5, 175, 12}, kEditStyle | ES_NUMBER},
    {IDC_EVENT_EDITOR, kButton, "Event Editor", {195, 20, 60, 15}, kPush},
};
constexpr DialogTemplate kNisAttributes{IDD_NIS_ATTRIBUTES,
                                        "NIS Attributes",
                                        {0, 0, 257, 36},
                                        kPropertyPageStyle,
                                        kDialogFont,
                                        kNisAttributesControls,
                                        {}};

// 11001: Followers page.
constexpr ControlTemplate kFollowersControls[] = {
    {IDC_STATIC, kStatic, "Sob Group Type:", {5, 20, 70, 12}, kLabel},
    {IDC_STATIC, kStatic, "Sob Group Name:", {5, 36, 70, 12}, kLabel},
    {IDC_SOB_GROUP_NAME, kEdit, "", {80, 36, 175, 12}, kEditStyle},
    // No CBS_AUTOHSCROLL: typing stops at the field's width.
    {IDC_SOB_GROUP_TYPE, kComboBox, "", {80, 20, 175, 15}, CBS_DROPDOWN | WS_VSCROLL | WS_TABSTOP},
    {IDC_STATIC, kStatic, "Follower Name:", {5, 5, 70, 12}, kLabel},
    {IDC_FOLLOWER_NAME, kEdit, "", {80, 5, 175, 12}, kEditStyle | ES_READONLY},
    {IDC_EVENT_EDITOR, kButton, "Event Editor", {195, 55, 60, 15}, kPush},
};
// The follower types of the domain, in the order the user has always seen.
constexpr ComboInitList kFollowersComboLists[] = {{IDC_SOB_GROUP_TYPE, kKnownSobTypes}};
constexpr DialogTemplate kFollowers{IDD_FOLLOWERS,       "Followers", {0, 0, 257, 71},
                                    kPropertyPageStyle,  kDialogFont, kFollowersControls,
                                    kFollowersComboLists};

// 11003: Cameras page.
constexpr ControlTemplate kCamerasControls[] = {
    {IDC_STATIC, kStatic, "Center of Interest:", {5, 22, 70, 12}, kLabel},
    {IDC_STATIC, kStatic, "Camera Name:", {5, 5, 70, 12}, kLabel},
    {IDC_CAMERA_NAME, kEdit, "", {80, 5, 175, 12}, kEditStyle | ES_READONLY},
    {IDC_CENTER_OF_INTEREST, kComboBox, "", {80, 20, 175, 15}, kDropList},
    {IDC_EVENT_EDITOR, kButton, "Event Editor", {195, 40, 60, 15}, kPush},
};
constexpr DialogTemplate kCameras{
    IDD_CAMERAS, "Cameras", {0, 0, 257, 57}, kPropertyPageStyle, kDialogFont, kCamerasControls, {}};

// 11005: Event Editor.
constexpr ControlTemplate kEventEditorControls[] = {
    {IDOK, kButton, "OK", {205, 5, 50, 14}, kDefPush},
    {IDCANCEL, kButton, "Cancel", {205, 22, 50, 14}, kPush},
    {IDC_EVENT_LIST,
     kListView,
     "List1",
     {5, 15, 195, 113},
     LVS_SMALLICON | LVS_SINGLESEL | LVS_ALIGNLEFT | WS_BORDER | WS_TABSTOP},
    // The tabs are expanded when the heading is drawn.
    {IDC_STATIC, kStatic, "Time\t| Event\t\t\t\t| Parameter", {5, 5, 195, 10}, kLabel | WS_GROUP},
    {IDC_ADD, kButton, "&Add", {205, 74, 50, 15}, kPush},
    {IDC_EDIT, kButton, "&Edit", {205, 94, 50, 15}, kPush},
    {IDC_REMOVE, kButton, "&Remove", {205, 114, 50, 15}, kPush},
};
constexpr DialogTemplate kEventEditor{IDD_EVENT_EDITOR,
                                      "Event Editor",
                                      {0, 0, 262, 131},
                                      kModalDialogStyle,
                                      kDialogFont,
                                      kEventEditorControls,
                                      {}};

// 11006: Event Attributes.
constexpr ControlTemplate kEventAttributesControls[] = {
    {IDOK, kButton, "OK", {245, 5, 50, 14}, kDefPush},
    {IDCANCEL, kButton, "Cancel", {245, 22, 50, 14}, kPush},
    {IDC_STATIC, kStatic, "Frame:", {5, 5, 60, 12}, kCentredLabel},
    {IDC_STATIC, kStatic, "Event:", {5, 20, 60, 12}, kCentredLabel},
    {IDC_VALUE, kButton, "", {70, 40, 225, 15}, kPush},
    {IDC_STATIC, kStatic, "Value:", {5, 40, 60, 15}, kCentredLabel},
    {IDC_FRAME, kEdit, "", {70, 5, 170, 12}, kEditStyle | ES_NUMBER},
    {IDC_EVENT, kComboBox, "", {70, 20, 170, 15}, kDropList},
};
constexpr DialogTemplate kEventAttributes{IDD_EVENT_ATTRIBUTES,
                                          "Event Attributes...",
                                          {0, 0, 297, 57},
                                          kModalDialogStyle,
                                          kDialogFont,
                                          kEventAttributesControls,
                                          {}};

// 11007: float input.
constexpr ControlTemplate kFloatInputControls[] = {
    {IDOK, kButton, "OK", {129, 7, 50, 14}, kDefPush},
    {IDCANCEL, kButton, "Cancel", {129, 24, 50, 14}, kPush},
    {IDC_STATIC, kStatic, "Enter float (decimal number) value:", {5, 5, 120, 10}, kLabel},
    {IDC_INPUT, kEdit, "", {5, 20, 115, 12}, kEditStyle},
};
constexpr DialogTemplate kFloatInput{
    IDD_FLOAT_INPUT,     "Input", {0, 0, 186, 41}, kModalDialogStyle, kDialogFont,
    kFloatInputControls, {}};

// 11008: string input.
constexpr ControlTemplate kStringInputControls[] = {
    {IDOK, kButton, "OK", {190, 5, 50, 14}, kDefPush},
    {IDCANCEL, kButton, "Cancel", {190, 22, 50, 14}, kPush},
    {IDC_PROMPT, kStatic, "Enter string:", {5, 5, 180, 10}, kLabel},
    {IDC_INPUT, kEdit, "", {5, 20, 180, 12}, kEditStyle},
};
constexpr DialogTemplate kStringInput{
    IDD_STRING_INPUT,     "Input", {0, 0, 242, 41}, kModalDialogStyle, kDialogFont,
    kStringInputControls, {}};

// 11009: object input.
constexpr ControlTemplate kObjectInputControls[] = {
    {IDOK, kButton, "OK", {129, 7, 50, 14}, kDefPush},
    {IDCANCEL, kButton, "Cancel", {129, 24, 50, 14}, kPush},
    {IDC_STATIC, kStatic, "Please select an object:", {5, 5, 120, 10}, kLabel},
    {IDC_OBJECT, kComboBox, "", {5, 20, 120, 12}, kDropList},
};
constexpr DialogTemplate kObjectInput{
    IDD_OBJECT_INPUT,     "Input", {0, 0, 186, 41}, kModalDialogStyle, kDialogFont,
    kObjectInputControls, {}};

constexpr const DialogTemplate* kPlugInTemplates[] = {
    &kNisAttributes,   &kFollowers,  &kCameras,     &kEventEditor,
    &kEventAttributes, &kFloatInput, &kStringInput, &kObjectInput,
};

}  // namespace

TemplateSet PlugInTemplates() {
  return kPlugInTemplates;
}

const DialogTemplate* FindPlugInTemplate(int id) {
  const auto* found = std::find_if(std::begin(kPlugInTemplates), std::end(kPlugInTemplates),
                                   [id](const DialogTemplate* t) { return t->id == id; });
  return found == std::end(kPlugInTemplates) ? nullptr : *found;
}

std::span<const std::string_view> SobGroupTypeEntries() {
  return kKnownSobTypes;
}

}  // namespace quorvel::ui
