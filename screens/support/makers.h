// The makers' web page and mail address: the welcome screen's link and the help
// screen's mail link open them.
#pragma once

namespace verdal {

inline constexpr const char* kMakersWebPage = "https://www.example.org/ostrane/";
inline constexpr const char* kMakersMailAddress = "contact@example.org";

}  // namespace verdal
