user_pref("network.http.pipelining", true);
user_pref("network.http.pipelining.maxrequests",8);
// user_pref("ui.submenuDelay", 0);

# comment
user_pref("content.maxtextrun", 8191);
user_pref("content.maxtextrun", 1);
user_pref("broken"
user_pref("x", 1
ιθ bytes
