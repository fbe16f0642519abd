// How the program's windows hand their pixels to an X11 display.
#pragma once

namespace verdal {

// Called before the application exists: the window surfaces then send their pixels through
// the X connection rather than through memory shared with the X server.
//
// With shared memory, Qt's X11 surface waits for the server (a round trip) before it paints
// again any area it handed over at its previous flush. The welcome text repaints the same
// one-pixel strips a hundred times a second, so those waits were most of what it cost at rest.
// Through the connection a strip is 2 KB and nothing waits; a whole 800x600 frame of a fade
// is one more copy, which the fades' pacing does not notice.
//
// A value the player set is kept. The setting is an environment variable, which the program
// never changes again once the application's threads run (the C library's environment is not
// safe against their reads). It stays set for the programs the game opens (xdg-open, and
// through it a browser or a mail client), which is harmless: only Qt's X11 platform reads it,
// and a Qt program that does then sends its pixels through its connection, as it does anyway
// on a remote display; others ignore it.
void PreferX11SocketPaints();

}  // namespace verdal
