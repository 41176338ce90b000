// SPDX-License-Identifier: GPL-3.0-or-later
// library_gobrant.js: the page side of the web build's platform layer (platform.cpp): the
// game's screen surface and its flip onto the page, the saved files' trips to IndexedDB,
// and a fix of the SDL emulation's stream release.
mergeInto(LibraryManager.library, {
  // The emulation keeps slot 0 of its stream table empty (0 is the null stream), but its
  // release popped that slot too, so every second SDL_RWFromFile gave 0. Trailing empty
  // slots are dropped down to slot 0, which stays.
  SDL_FreeRW__deps: ['$SDL'],
  SDL_FreeRW: function(rwopsID) {
    SDL.rwops[rwopsID] = null;
    while (SDL.rwops.length > 1 && SDL.rwops[SDL.rwops.length - 1] === null) {
      SDL.rwops.pop();
    }
  },

  // The game draws on a surface of its own, which the emulation takes for the screen (so its
  // blits onto it stay on the canvas); the page's canvas changes only at a flip.
  gobrant_adopt_screen__deps: ['$SDL'],
  gobrant_adopt_screen: function(own, page) {
    SDL.gobrantPage = page;
    SDL.screen = own;
  },

  // Shows the screen on the page and counts the frame: the page's first-frame time and the
  // recent flip times are there for its tests and benchmark.
  gobrant_show_screen__deps: ['$SDL'],
  gobrant_show_screen: function() {
    var page = SDL.surfaces[SDL.gobrantPage];
    var own = SDL.surfaces[SDL.screen];
    page.ctx.drawImage(own.canvas, 0, 0);
    var now = performance.now();
    var flips = Module['flips'] || (Module['flips'] = []);
    flips.push(now);
    if (flips.length > 4000) flips.splice(0, 2000);
    Module['frames'] = (Module['frames'] || 0) + 1;
    if (Module['frames'] === 1 && Module['onFirstFrame']) Module['onFirstFrame'](now);
  },

  // Writes the saved folder to IndexedDB; a save made while one is under way is written
  // once that one ends.
  gobrant_persist_saved__deps: ['$FS'],
  gobrant_persist_saved: function() {
    var state = Module['saving'] || (Module['saving'] = {running: false, again: false, done: 0});
    if (state.running) {
      state.again = true;
      return;
    }
    var run = function() {
      state.running = true;
      state.again = false;
      FS.syncfs(false, function(error) {
        state.running = false;
        if (error) err('ERROR writing the browser\'s storage: ' + error);
        else state.done++;
        if (state.again) run();
      });
    };
    run();
  },
});
