#pragma once
// Windows side of the locale snapshot: what GetLocaleInfoA gives for the
// user's default locale.
#include "replay/LocaleSnapshot.h"

// The user's default locale as the texts need it (read once per call).
LocaleSnapshot ReadUserLocale();
