// What the add-in put into Office, and where the clean-up finds it.
#pragma once

namespace kelvano {

// The add-in's command bar in PowerPoint, Excel, Publisher, Project, Word and Visio.
inline constexpr wchar_t ToolbarName[] = L"Ostrevan Kelvano";
// The Tag of the add-in's e-mail button on Access toolbars.
inline constexpr wchar_t ButtonTag[] = L"Ostrevan_EmailPDF";
// Under HKEY_CURRENT_USER: "ToolBar1".."ToolBar3" name the Access bars that carry the button.
inline constexpr wchar_t AccessToolbarsKey[] = L"Software\\Ostrevan LLC\\Harrowdesk\\Defaults\\AccessToolbars";

// The applications that carry the add-in's command bar, in the order they are cleaned.
inline constexpr const wchar_t* kToolbarAppProgIds[] = {
    L"PowerPoint.Application", L"Excel.Application", L"Publisher.Application",
    L"MSProject.Application",  L"Word.Application",  L"Visio.Application",
};
// Cleaned last, and differently: its button, not a bar of ours.
inline constexpr wchar_t kAccessProgId[] = L"Access.Application";

}  // namespace kelvano
