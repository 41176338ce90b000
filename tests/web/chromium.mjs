// SPDX-License-Identifier: GPL-3.0-or-later
// chromium.mjs: what the web test and the web benchmark share: Debian's Chromium started
// headless by puppeteer-core (from MODULES_DIR) on a profile of their own, and a page whose
// console errors, page errors and failed requests are collected.
import { createRequire } from 'module';

export async function launchChromium(modulesDir, profileDir) {
  const puppeteer = createRequire(modulesDir + '/')('puppeteer-core');
  return puppeteer.launch({
    executablePath: '/usr/bin/chromium', headless: true, userDataDir: profileDir,
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
           '--disable-background-networking', '--disable-component-update', '--disable-sync'],
  });
}

// A new page of `browser` with the game's 1024 x 768 canvas in view; what goes wrong on it is
// added to `problems`.
export async function openPage(browser, problems) {
  const page = await browser.newPage();
  await page.setViewport({ width: 1280, height: 1000 });
  page.on('console', (message) => {
    if (message.type() === 'error' || message.text().startsWith('ERROR'))
      problems.push(`console ${message.type()}: ${message.text()}`);
  });
  page.on('pageerror', (error) => problems.push(`page error: ${error.message}`));
  page.on('requestfailed', (request) => problems.push(`request failed: ${request.url()}`));
  return page;
}
