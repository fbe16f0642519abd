// "data": reading and rewriting the settings record through CurrentSettings.
#pragma once

namespace verdal {

inline constexpr const char* kSettingsFileName = "data";

// Reads the first record of "data" into CurrentSettings. Throws IoError.
void ReadSettings();

// Makes CurrentSettings the only record of "data". The record is written to a
// temporary file beside "data", flushed to the disk and renamed over it, so a
// failure (disk full, I/O error) leaves "data" exactly as it was. When "data" is a
// link, the file it leads to is the one replaced. A writable "data" in a folder where
// no file may be created is overwritten in place instead. Throws IoError.
void WriteSettings();

}  // namespace verdal
