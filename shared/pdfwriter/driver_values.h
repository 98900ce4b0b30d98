#pragma once

#include <string_view>

// The registry values through which the PDF writer driver is installed and
// steered: written by the programs, read by the driver.
namespace lexi::driver {

// Where printers are listed: one value per printer, named by the printer,
// holding its port description.
inline constexpr std::string_view DevicesKey =
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Devices";

// The Windows default printer: the value "Device" of this key holds the
// printer's name, a comma, then its port description.
inline constexpr std::string_view WindowsKey =
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";
inline constexpr std::string_view DeviceValue = "Device";

// The job settings' value names under the driver's settings key.
inline constexpr std::string_view BypassSaveAs = "BypassSaveAs";
inline constexpr std::string_view OutputFile = "OutputFile";
inline constexpr std::string_view StartAt = "StartAt";
inline constexpr std::string_view AddSecurity = "AddSecurity";
inline constexpr std::string_view Level = "Level";
inline constexpr std::string_view UserPassword = "userPassword";
inline constexpr std::string_view MasterPassword = "masterPassword";
inline constexpr std::string_view NoPrinting = "noPrinting";
inline constexpr std::string_view NoModifyContents = "noModifyContents";
inline constexpr std::string_view NoModifyAnnotations = "noModifyAnnotations";
inline constexpr std::string_view NoCopy = "noCopy";
inline constexpr std::string_view AddBackground = "AddBackground";
inline constexpr std::string_view BackgroundFile = "BackgroundFile";
inline constexpr std::string_view FirstPageOnly = "FirstPageOnly";
inline constexpr std::string_view CombinePDFs = "CombinePDFs";
inline constexpr std::string_view Author = "Author";
inline constexpr std::string_view Title = "Title";
inline constexpr std::string_view Subject = "Subject";
inline constexpr std::string_view Keywords = "Keywords";
inline constexpr std::string_view Creator = "Creator";
inline constexpr std::string_view Producer = "Producer";
inline constexpr std::string_view LeftMargin = "LeftMargin";
inline constexpr std::string_view TopMargin = "TopMargin";
inline constexpr std::string_view RightMargin = "RightMargin";
inline constexpr std::string_view BottomMargin = "BottomMargin";
inline constexpr std::string_view Scale = "Scale";

} // namespace lexi::driver
