// Program entry: start-up, the screen cycle and shut-down.
#include "shell/qira.h"
#include "canvas/canvas.h"
#include "fight/charsel.h"
#include "fight/play.h"
#include "image/stpic.h"
#include "input/input.h"
#include "shell/errormsg.h"
#include "shell/fightset.h"
#include "shell/gamemain.h"
#include "shell/random.h"
#include "shell/timer.h"
#include "video/graphics.h"
#include "video/palette.h"
#include <cstdio>

const char qira_credit[] = "QIRA, a two-player fighting-game showcase. Thanks for playing!";

int qira_main() {
  if (!graphics_init()) {
    std::puts(qira_credit);
    return 2;
  }
  input_init();
  timer_init();
  vscrn_canvas.pixels = vscrn;

  // A missing title leaves the screen as it was.
  pi1_load("velmorea.pi1", &vscrn_canvas, palette, nullptr);
  palette_set(palette);
  fightset_discover(".");
  randomize();

  if (game_wait_key(nullptr) <= GAME_DONE) {
    if (fightset_count < 1) {
      errormsg("You can't play the QIRA", "No fighters were found");
    } else {
      for (;;) {
        if (charsel() > GAME_DONE) break;
        if (play() >= GAME_QUIT) break;
      }
    }
  }

  timer_done();
  input_done();
  graphics_done();
  std::puts(qira_credit);
  return 0;
}
