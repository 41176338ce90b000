// SPDX-License-Identifier: GPL-3.0-or-later
// web_e2e.mjs: plays the web build in headless Chromium:  node web_e2e.mjs MODULES_DIR URL
// REFERENCE_PNG PROFILE_DIR. The main menu is compared with the desktop build's screenshot,
// sound starts on the first key, play scores, the page shows the game's screen after play, a
// focus loss pauses, the options' skin and name survive a reload, Quit ends
// the game on the page; any console error fails the run.
import fs from 'fs';
import { launchChromium, openPage } from './chromium.mjs';

const [modulesDir, url, referencePng, profileDir] = process.argv.slice(2);

const WAIT_MS = 30000;                 // the safety net of every wait
const CHANNEL_TOLERANCE = 8;           // a 16-bit desktop screen keeps 5 or 6 bits of a channel
const DIFFERENT_PIXELS_ALLOWED = 0.002; // share of pixels beyond the channel tolerance
const NEW_NAME = 'webtest';            // no y or z: the name entry swaps them

const problems = [];
const fail = (what) => { throw new Error(what); };

const browser = await launchChromium(modulesDir, profileDir);
try {
  const page = await openPage(browser, problems);

  const probe = () => page.evaluate(() => JSON.parse(UTF8ToString(Module._web_probe())));
  const frames = () => page.evaluate(() => Module.frames || 0);
  const waitFor = (fn, arg) => page.waitForFunction(fn, { timeout: WAIT_MS, polling: 'raf' }, arg);
  // Waits until the game has flipped `count` more frames.
  const waitFrames = async (count) => waitFor((n) => (Module.frames || 0) >= n, (await frames()) + count);
  // Waits for `count` frames of the page itself (not of the game).
  const pageFrames = (count) => page.evaluate((n) => new Promise((done) => {
    const step = () => (--n <= 0 ? done() : requestAnimationFrame(step));
    requestAnimationFrame(step);
  }), count);
  // Waits until the game flips no more (a pause or a wait), seen over 5 frames of the page.
  const waitStill = async () => { for (let last = -1; last !== (last = await frames());) await pageFrames(5); };
  const keys = async (...names) => { for (const name of names) await page.keyboard.press(name); };
  const load = async (reload) => {
    if (reload) await page.reload(); else await page.goto(url);
    await waitFor(() => document.body.dataset.firstFrame);
  };
  const savedCount = () => page.evaluate(() => (Module.saving ? Module.saving.done : 0));
  const waitSaved = (before) => waitFor((n) => Module.saving && !Module.saving.running && Module.saving.done > n, before);

  // 1. The main menu, pixel by pixel against the desktop build's picture of it.
  await load(false);
  const reference = 'data:image/png;base64,' + fs.readFileSync(referencePng).toString('base64');
  const compared = await page.evaluate(async (source, tolerance) => {
    // As stored: the screenshot's colour chunks must not move its values.
    const image = await createImageBitmap(await (await fetch(source)).blob(),
                                          { colorSpaceConversion: 'none' });
    const pixels = (drawable) => {
      const canvas = document.createElement('canvas');
      canvas.width = 1024;
      canvas.height = 768;
      const context = canvas.getContext('2d');
      context.drawImage(drawable, 0, 0);
      return context.getImageData(0, 0, 1024, 768).data;
    };
    const game = pixels(document.getElementById('canvas')), desktop = pixels(image);
    let different = 0;
    for (let i = 0; i < game.length; i += 4)
      for (let c = 0; c < 3; c++)
        if (Math.abs(game[i + c] - desktop[i + c]) > tolerance) { different++; break; }
    return { different, total: game.length / 4, size: [image.width, image.height] };
  }, reference, CHANNEL_TOLERANCE);
  console.log(`main menu: ${compared.different} of ${compared.total} pixels differ beyond ${CHANNEL_TOLERANCE}`);
  if (compared.size[0] !== 1024 || compared.size[1] !== 768) fail(`reference is ${compared.size}`);
  if (compared.different > compared.total * DIFFERENT_PIXELS_ALLOWED) fail('the main menu differs from the desktop one');

  // 2. A new game: sound opens at the first key (browsers allow it only then); the arrows,
  // the first pressed while the game starts, steer until dots are caught.
  const audioBefore = await page.evaluate(() => (SDL.audioContext ? SDL.audioContext.state : 'closed'));
  if (audioBefore !== 'closed') fail(`sound was ${audioBefore} before any key`);
  const arrows = ['ArrowRight', 'ArrowDown', 'ArrowLeft', 'ArrowUp'];
  await keys('Enter');
  for (let turn = 0; (await probe()).score === 0; turn++) {
    if (turn >= 40) fail(`the score does not rise: ${JSON.stringify(await probe())}, ${await frames()} frames`);
    await keys(arrows[turn % 4]);
    await waitFrames(20);
  }
  await waitFor(() => SDL.audioContext && SDL.audioContext.state === 'running');
  console.log(`play: score ${(await probe()).score}; sound closed before the first key, running after it`);

  // The page shows exactly the game's screen: the pause box is flipped, then the game waits.
  await keys('p');
  await waitStill();
  const unlike = await page.evaluate(() => {
    const pixels = (canvas) => canvas.getContext('2d').getImageData(0, 0, 1024, 768).data;
    const shown = pixels(document.getElementById('canvas')), drawn = pixels(SDL.surfaces[SDL.screen].canvas);
    let count = 0;
    for (let i = 0; i < shown.length; i += 4)
      count += shown[i] !== drawn[i] || shown[i + 1] !== drawn[i + 1] || shown[i + 2] !== drawn[i + 2];
    return count;
  });
  if (unlike !== 0) fail(`after play the page differs from the game's screen in ${unlike} pixels`);
  await keys('p');

  // 3. The page losing the focus pauses the game; once back, p resumes it.
  await page.evaluate(() => window.dispatchEvent(new FocusEvent('blur')));
  await page.evaluate(() => window.dispatchEvent(new FocusEvent('focus')));
  await waitFrames(1);   // the flips after the focus came back: the screen, then the pause box
  await pageFrames(10);
  const pausedAt = await frames(), pausedScore = (await probe()).score;
  await keys('ArrowRight', 'ArrowDown');
  await pageFrames(30);
  if ((await frames()) !== pausedAt || (await probe()).score !== pausedScore) fail('the game did not pause');
  await keys('p');
  await waitFrames(40);
  console.log(`pause: held at frame ${pausedAt}, resumed to ${await frames()}`);

  // 4. Options: a new name and the next skin, applied; saved to the browser's storage.
  const before = (await probe());
  const saves = await savedCount();
  await keys('Escape', 'ArrowDown', 'ArrowDown', 'Enter');         // main menu, Options
  await keys('ArrowDown', 'Enter');                                 // the name row opens the entry
  for (let i = 0; i < before.name.length; i++) await keys('Backspace');
  await page.keyboard.type(NEW_NAME);
  await keys('Enter', 'ArrowDown', 'ArrowRight', 'ArrowDown', 'ArrowDown', 'Enter');
  await waitSaved(saves);
  const changed = await probe();
  if (changed.name !== NEW_NAME || changed.skin === before.skin) fail(`options not taken: ${JSON.stringify(changed)}`);

  // 5. A reload starts the game afresh with both kept.
  await load(true);
  const kept = await probe();
  console.log(`after reload: ${JSON.stringify(kept)}`);
  if (kept.name !== NEW_NAME || kept.skin !== changed.skin) fail('the options were not kept across the reload');

  // 6. Quit ends the game and the page says so.
  await keys('Escape');
  await waitFor(() => document.body.dataset.ended !== undefined);
  const ended = await page.evaluate(() => [document.body.dataset.ended,
    getComputedStyle(document.getElementById('ended')).display]);
  if (ended[0] !== '0' || ended[1] === 'none') fail(`after Quit: ${ended}`);
} finally {
  await browser.close();
}
if (problems.length) fail('console:\n' + problems.join('\n'));
console.log('web end-to-end: passed');
