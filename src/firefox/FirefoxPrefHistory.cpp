// Where Firefox stopped reading each of Velomar's preferences, with the
// public record beside each entry. "ESR 140" and "ESR 153" are Debian's
// firefox-esr 140.12 and 153.8 packages: a preference is read there when its
// name is among the built-in names of libxul.so or in a default preference
// file of omni.ja (the suite firefox_real_tests compares this table with the
// Firefox installed on the machine).
#include "firefox/FirefoxPrefHistory.h"

#include <algorithm>
#include <array>

namespace velomar {

namespace {

constexpr std::array<PrefRetirement, 27> kRetirements{{
    // "network.http.pipelining (as well as the other preferences that start
    // with network.http.pipelining) is now ignored": MDN, Firefox 54 for
    // developers; the removal is bug 1340655.
    {"network.http.pipelining", 54},
    // No Firefox read it. Netscape 6's nsHttpHandler had the reading
    // commented out (2001); neither the Gecko 1.8.1 tree (Firefox 2) nor the
    // first mozilla-central revision (March 2007) names it anywhere.
    {"network.http.pipelining.firstrequest", kNeverRead},
    {"network.http.pipelining.maxrequests", 54},  // bug 1340655, as above
    {"network.http.proxy.pipelining", 54},        // bug 1340655 removed pipelining as a whole
    // nsHttpHandler reads it; ESR 153 ships its default in greprefs.js.
    {"network.http.request.max-start-delay", kStillRead},
    // nsContentSink: a static preference in ESR 140, gone from ESR 153. The
    // release in between that dropped it is not on the public record.
    {"content.notify.backoffcount", 153},
    // nsPluginHost read it in the 17.0.11 ESR source; the 24.8 ESR source
    // has no reader. The release in between is not established.
    {"plugin.expose_full_path", 24},
    {"ui.submenuDelay", kStillRead},  // nsXPLookAndFeel's table; built into ESR 153
    // Quick Launch of the Mozilla Suite (xpfe/bootstrap). Firefox's toolkit
    // never read it: no reader in toolkit/ or browser/ of the Gecko 1.8.1
    // tree or of mozilla-central's first revision.
    {"browser.turbo.enabled", kNeverRead},
    {"browser.display.show_image_placeholders", kStillRead},  // nsImageFrame; built into ESR 153
    // Merged into browser.chrome.site_icons, bug 1453751; arkenfox's user.js
    // lists it among the preferences gone in Firefox 63.
    {"browser.chrome.favicons", 63},
    // Bug 1502392; arkenfox's user.js lists it as gone in Firefox 65.
    {"browser.urlbar.autocomplete.enabled", 65},
    // Firefox reads browser.urlbar.autoFill, with a capital F (firefox.js
    // from Firefox 3 to ESR 153), and preference names are case-sensitive:
    // no Firefox read this spelling.
    {"browser.urlbar.autofill", kNeverRead},
    // HTMLContentSink read it up to ESR 140; gone from ESR 153. The release
    // in between is not on the public record.
    {"content.maxtextrun", 153},
    {"content.notify.ontimer", 153},  // as content.notify.backoffcount
    // nsContentSink read it in Firefox 3.6; the 17.0 ESR source has no
    // reader. The release in between is not established.
    {"content.interrupt.parsing", 17},
    {"content.notify.interval", 153},  // as content.notify.backoffcount
    // Replaced by content.sink.* in bug 481566, which reached mozilla-central
    // in May 2009, after Firefox 3.5 had branched: 3.6 no longer read it, and
    // since versions count by their major number, 4 is the first of which no
    // release reads it.
    {"content.switch.threshold", 4},
    {"content.max.tokenizing.time", 4},            // bug 481566, as above
    {"network.http.max-connections", kStillRead},  // nsHttpHandler; greprefs.js of ESR 153
    // nsHttpHandler read it in mozilla-central's Firefox 10 tree; the 17.0 ESR
    // source has no reader. MozillaZine's knowledge base points at bug 770331.
    {"network.http.max-connections-per-server", 17},
    {"network.http.max-persistent-connections-per-proxy", kStillRead},   // greprefs.js of ESR 153
    {"network.http.max-persistent-connections-per-server", kStillRead},  // greprefs.js of ESR 153
    // nsDocShell read it in the 52.4 ESR source, and later as a static
    // preference (StaticPrefs::browser_xul_error_pages_enabled); ESR 140 has
    // no trace of it. The release in between is not established.
    {"browser.xul.error_pages.enabled", 140},
    {"browser.cache.memory.capacity", kStillRead},  // a static preference in ESR 153
    // Bug 1425999; arkenfox's user.js lists it as gone in Firefox 59.
    {"dom.disable_window_status_change", 59},
    {"nglayout.initialpaint.delay", kStillRead},  // a static preference in ESR 153
}};

}  // namespace

const std::vector<PrefRetirement>& PrefRetirements() {
  static const std::vector<PrefRetirement> table(kRetirements.begin(), kRetirements.end());
  return table;
}

std::vector<std::string> PrefsNotReadBy(int majorVersion, const std::vector<std::string>& names) {
  std::vector<std::string> unread;
  for (const auto& entry : PrefRetirements())
    if (!entry.ReadBy(majorVersion) && std::find(names.begin(), names.end(), entry.name) != names.end())
      unread.emplace_back(entry.name);
  return unread;
}

}  // namespace velomar
