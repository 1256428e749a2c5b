﻿// my settings

user_pref("ui.submenuDelay", 100); // fast menus
user_pref("ui.submenuDelay", 50);

