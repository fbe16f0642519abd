// How the program's windows hand their pixels to an X11 display.
#pragma once

namespace verdal {

// Held while the application connects to the display: the window surfaces then send their
// pixels through the connection rather than through memory shared with the X server.
//
// With shared memory, Qt's X11 surface waits for the server (a round trip) before it paints
// again any area it handed over at its previous flush. The welcome text repaints the same
// one-pixel strip a hundred times a second, so those waits were most of what it cost at rest.
// Through the connection a strip is 2 KB and nothing waits; a whole 800x600 frame of a fade
// is one more copy, which the fades' pacing does not notice.
//
// A value the player set is kept. The variable is taken away again afterwards, so that the
// programs the game opens (a browser, say) do not inherit it.
class ScopedX11SocketPaints {
 public:
  ScopedX11SocketPaints();
  ~ScopedX11SocketPaints();
  ScopedX11SocketPaints(const ScopedX11SocketPaints&) = delete;
  ScopedX11SocketPaints& operator=(const ScopedX11SocketPaints&) = delete;

 private:
  bool set_ = false;
};

}  // namespace verdal
