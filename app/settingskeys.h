#pragma once

// Keys of the per-user settings store. Every value is stored as text.
namespace SettingsKey {
inline constexpr char LastSourcePath[] = "LastSourcePath";
inline constexpr char LastDestinationPath[] = "LastDestinationPath";
inline constexpr char LastOPWidth[] = "LastOPWidth";
inline constexpr char LastOPHeight[] = "LastOPHeight";
inline constexpr char LastTopPadding[] = "LastTopPadding";
inline constexpr char LastLeftPadding[] = "LastLeftPadding";
inline constexpr char LastGutterWidth[] = "LastGutterWidth";
inline constexpr char LastGutterHeight[] = "LastGutterHeight";
// The paper chosen, by its name as shown ("6 x 8 in"); its size is in LastOPWidth/Height.
inline constexpr char LastPaper[] = "LastPaper";
// Whether copies that do not fit continue in further columns and sheets: "true" or "false".
inline constexpr char MoreSheets[] = "MoreSheets";
} // namespace SettingsKey

// The store is always opened with these two names; the application object carries none.
inline constexpr char SettingsOrganization[] = "Morvane";
inline constexpr char SettingsApplication[] = "Quorvel";
