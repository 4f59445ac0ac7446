#pragma once

// The settings window's tabs as a screen reader expects them: a page tab list whose tabs say
// which one is chosen (Qt's own marks the current tab focused and none selected).
namespace TabBarAccess {

// Describes every tab bar this way from now on.
void install();

} // namespace TabBarAccess
