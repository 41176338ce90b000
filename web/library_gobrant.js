// SPDX-License-Identifier: GPL-3.0-or-later
// library_gobrant.js: the page side of the web build's platform layer (platform.cpp): the
// game's screen surface and the copies of its changed areas onto the page, the saved files'
// trips to IndexedDB, and a fix of the SDL emulation's stream release.
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

  // Copies an area of the screen onto the page.
  gobrant_show_area__deps: ['$SDL'],
  gobrant_show_area: function(x, y, w, h) {
    if (w <= 0 || h <= 0) return;
    var page = SDL.surfaces[SDL.gobrantPage];
    page.ctx.drawImage(SDL.surfaces[SDL.screen].canvas, x, y, w, h, x, y, w, h);
  },

  // The game's trace (GOBRANT_TRACE_FILE, as the desktop's tests and benchmark read it) goes
  // to a device of the page, which keeps the time of each play frame shown ("frame"):
  // Module.frameTimes. A frame that changes nothing on the screen updates nothing on the page,
  // so the flips alone do not give the frame rate.
  $gobrantTraceDevice__deps: ['$FS', '$ENV'],
  $gobrantTraceDevice__postset: 'addOnPreRun(gobrantTraceDevice);',
  $gobrantTraceDevice: function() {
    var line = '';
    var times = Module['frameTimes'] = [];
    FS.createDevice('/dev', 'gobrant-trace', null, function(byte) {
      if (byte !== 10) {
        line += String.fromCharCode(byte);
        return;
      }
      if (line === 'frame') {
        times.push(performance.now());
        if (times.length > 4000) times.splice(0, 2000);
      }
      line = '';
    });
    ENV['GOBRANT_TRACE_FILE'] = '/dev/gobrant-trace';
  },

  // Counts a flip or update of the screen (Module.frames) and tells the page the time of the
  // first: there for its tests and benchmark.
  gobrant_count_flip__deps: ['$gobrantTraceDevice'],
  gobrant_count_flip: function() {
    Module['frames'] = (Module['frames'] || 0) + 1;
    if (Module['frames'] === 1 && Module['onFirstFrame']) Module['onFirstFrame'](performance.now());
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
