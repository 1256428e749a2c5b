/* user_pref("network.http.pipelining", false);
*/ user_pref("browser.cache.memory.capacity", 1024); user_pref("x", 'y');
