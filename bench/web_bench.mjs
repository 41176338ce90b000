// SPDX-License-Identifier: GPL-3.0-or-later
// web_bench.mjs: the web build's half of bench/web_bench.sh:  node web_bench.mjs MODULES_DIR
// URL PROFILE_DIR FLIPS_FILE SECONDS. Loads the page in headless Chromium and prints
// "first_frame <ms from the page's start>", starts a new game (the player stands still while
// the enemies roam), then prints "start <page ms>" and, SECONDS later, "stop <page ms>"; the
// script reads Chromium's processor time at each and then sends a line, upon which Chromium
// closes. FLIPS_FILE gets the page time of every play frame shown (the game's trace), one a
// line, in ms. Fails on any console error.
import fs from 'fs';
import { launchChromium, openPage } from '../tests/web/chromium.mjs';

const [modulesDir, url, profileDir, flipsFile, seconds] = process.argv.slice(2);
const WAIT_MS = 30000;          // the safety net of every wait
const SETTLE_FRAMES = 40;       // play frames before the measure starts

const problems = [];
const browser = await launchChromium(modulesDir, profileDir);
try {
  const page = await openPage(browser, problems);
  const waitFor = (fn, arg) => page.waitForFunction(fn, { timeout: WAIT_MS, polling: 'raf' }, arg);
  const now = () => page.evaluate(() => performance.now());

  await page.goto(url);
  await waitFor(() => document.body.dataset.firstFrame);
  console.log(`first_frame ${await page.evaluate(() => document.body.dataset.firstFrame)}`);

  await page.keyboard.press('Enter');   // New game on the first level
  await waitFor((n) => Module.frameTimes.length >= n, SETTLE_FRAMES);
  console.log(`start ${await now()}`);
  await new Promise((done) => setTimeout(done, seconds * 1000));
  console.log(`stop ${await now()}`);
  fs.writeFileSync(flipsFile, (await page.evaluate(() => Module.frameTimes)).join('\n') + '\n');
  await new Promise((done) => process.stdin.once('data', done).once('end', done));
  process.stdin.destroy();
} finally {
  await browser.close();
}
if (problems.length) {
  console.error(problems.join('\n'));
  process.exit(1);
}
