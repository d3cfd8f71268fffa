// kyfsl serve: an MBTiles file of kyfsl tiles and its viewer page over HTTP
// on the local machine, until interrupted.
#include <csignal>
#include <cstdio>

#include "KyTileServer.h"
#include "KyTileMath.h"
#include "kyfsl.h"

namespace kyfsl {

namespace {

// Set by SIGINT or SIGTERM; the server looks at it between requests.
std::atomic<bool> g_stop{false};

void OnSignal(int) { g_stop = true; }

struct ServeArgs {
  std::string mbtiles;
  int port = 8080;
};

int RunServe(const ServeArgs& a) {
  kytiles::TileServer server(a.mbtiles, a.port);
  struct sigaction stop {};
  stop.sa_handler = OnSignal;
  sigaction(SIGINT, &stop, nullptr);
  sigaction(SIGTERM, &stop, nullptr);
  std::printf("serving %s on http://127.0.0.1:%d/ (Ctrl+C stops)\n", a.mbtiles.c_str(), server.Port());
  std::fflush(stdout);
  server.Run(g_stop);
  return 0;
}

}  // namespace

void RegisterServe(CLI::App& app, const Globals& g, Outcome& out) {
  auto* sub = app.add_subcommand("serve", "serve an MBTiles file of kyfsl tiles and its viewer page on localhost");
  auto a = std::make_shared<ServeArgs>();
  sub->add_option("MBTILES", a->mbtiles, "an MBTiles file written by kyfsl tiles")->required();
  sub->add_option("--port", a->port, "the port on 127.0.0.1 (default 8080; 0 picks a free one)");
  sub->callback([a, &g, &out] {
    (void)g;
    try {
      out.status = RunServe(*a);
    } catch (const kymap::MapError& e) {
      throw Failure{e.what()};
    }
  });
}

}  // namespace kyfsl
