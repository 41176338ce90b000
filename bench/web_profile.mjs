// SPDX-License-Identifier: GPL-3.0-or-later
// web_profile.mjs: where the web build's renderer spends its time in play (bench/web_profile.sh):
//   node web_profile.mjs MODULES_DIR URL PROFILE_DIR SECONDS OUT_DIR
// Loads the page in headless Chromium, starts a new game (the player stands still while the
// enemies roam) and, after 40 play frames, takes three measures of SECONDS each, one after the
// other: the processor time of each thread of the page's renderer process; a sampling profile
// of the page's main thread (the DevTools Profiler domain: the game's wasm and script, the
// canvas calls) summed by function; and a trace of the renderer and the compositing, summed
// by event (self time) for each busy thread, with the events a second. OUT_DIR gets
// play.cpuprofile and play.trace.json, which DevTools opens. Fails on any console error.
import fs from 'fs';
import { launchChromium, openPage } from '../tests/web/chromium.mjs';

const [modulesDir, url, profileDir, seconds, outDir] = process.argv.slice(2);
const WAIT_MS = 30000;          // the safety net of every wait
const SETTLE_FRAMES = 40;       // play frames before the measures start, as in web_bench.mjs
const SAMPLING_US = 200;        // the profiler's sampling interval
const LISTED = 25;              // lines of each summary
const TRACE_CATEGORIES = ['toplevel', 'devtools.timeline', 'disabled-by-default-devtools.timeline',
                          'v8', 'blink', 'cc', 'gpu', 'viz', 'benchmark'];

const pause = (ms) => new Promise((done) => setTimeout(done, ms));
const percent = (part, whole) => `${(part / whole * 100).toFixed(2)} %`.padStart(8);

// The process ids below `root` whose command line names `type` (Chromium's --type=...).
function processesOfType(root, type) {
  const parents = {};
  for (const pid of fs.readdirSync('/proc').filter((name) => /^\d+$/.test(name))) {
    try {
      const stat = fs.readFileSync(`/proc/${pid}/stat`, 'utf8');
      parents[pid] = stat.slice(stat.lastIndexOf(')') + 2).split(' ')[1];
    } catch (gone) { /* ended meanwhile */ }
  }
  const below = new Set([String(root)]);
  for (let grown = true; grown; ) {
    grown = false;
    for (const [pid, parent] of Object.entries(parents))
      if (!below.has(pid) && below.has(parent)) { below.add(pid); grown = true; }
  }
  return [...below].filter((pid) => {
    try { return fs.readFileSync(`/proc/${pid}/cmdline`, 'utf8').includes(`--type=${type}`); }
    catch (gone) { return false; }
  });
}

// Processor time in ns so far of every thread of the processes: "pid/tid" -> {pid, name, ns}.
function threadTimes(pids) {
  const times = {};
  for (const pid of pids) {
    let tasks = [];
    try { tasks = fs.readdirSync(`/proc/${pid}/task`); } catch (gone) { continue; }
    for (const tid of tasks) {
      try {
        const ns = Number(fs.readFileSync(`/proc/${pid}/task/${tid}/schedstat`, 'utf8').split(' ')[0]);
        const name = fs.readFileSync(`/proc/${pid}/task/${tid}/comm`, 'utf8').trim();
        times[`${pid}/${tid}`] = { pid, name: `${name} (${tid})`, ns };
      } catch (gone) { /* ended meanwhile */ }
    }
  }
  return times;
}

// The busiest renderer's threads over the span, each as a share of a core.
function threadShares(before, after, wallNs) {
  const used = {}, byPid = {};
  for (const [key, thread] of Object.entries(after)) {
    const ns = thread.ns - (before[key] ? before[key].ns : 0);
    byPid[thread.pid] = (byPid[thread.pid] || 0) + ns;
    used[key] = { ...thread, ns };
  }
  const [busiest, total] = Object.entries(byPid).sort((a, b) => b[1] - a[1])[0];
  console.log(`The page's renderer (process ${busiest}), ${percent(total, wallNs)} of a core:`);
  for (const thread of Object.values(used).filter((t) => t.pid === busiest).sort((a, b) => b.ns - a.ns))
    if (thread.ns * 1000 >= wallNs)    // from 0.1 % of a core
      console.log(`  ${percent(thread.ns, wallNs)}  ${thread.name}`);
}

// The profile's samples summed by function (self time), as shares of the profile's span.
function summarizeProfile(profile) {
  const nodes = new Map(profile.nodes.map((node) => [node.id, node]));
  const self = {};
  const span = profile.endTime - profile.startTime;
  profile.samples.forEach((id, i) => {
    const frame = nodes.get(id).callFrame;
    const name = `${frame.functionName || '(anonymous)'} ${frame.url ? frame.url.split('/').pop() : ''}`;
    self[name] = (self[name] || 0) + (profile.timeDeltas[i + 1] || 0);
  });
  console.log(`The page's main thread, sampled every ${SAMPLING_US} µs (self time, share of the span):`);
  for (const [name, us] of Object.entries(self).sort((a, b) => b[1] - a[1]).slice(0, LISTED))
    console.log(`  ${percent(us, span)}  ${name}`);
}

// The trace's complete events summed by name for each thread (self time: an event's time less
// that of the events nested in it), as shares of the trace's span, with the events a second.
function summarizeTrace(events) {
  const threads = {}, processes = {};
  for (const e of events.filter((e) => e.ph === 'M')) {
    if (e.name === 'thread_name') threads[`${e.pid}/${e.tid}`] = e.args.name;
    if (e.name === 'process_name') processes[e.pid] = e.args.name;
  }
  const timed = events.filter((e) => e.ph === 'X' && e.dur !== undefined);
  const moments = timed.map((e) => e.ts);
  const span = Math.max(...moments) - Math.min(...moments);
  const byThread = {};
  for (const e of timed) (byThread[`${e.pid}/${e.tid}`] ||= []).push(e);
  for (const [key, list] of Object.entries(byThread)) {
    list.sort((a, b) => a.ts - b.ts || b.dur - a.dur);
    const self = {}, count = {}, open = [];
    let top = 0;
    for (const e of list) {
      while (open.length && open[open.length - 1].ts + open[open.length - 1].dur <= e.ts) open.pop();
      if (open.length) self[open[open.length - 1].name] -= e.dur;
      else top += e.dur;
      self[e.name] = (self[e.name] || 0) + e.dur;
      count[e.name] = (count[e.name] || 0) + 1;
      open.push(e);
    }
    if (top * 200 < span) continue;  // under 0.5 % of the span in tasks
    console.log(`${processes[key.split('/')[0]]}, ${threads[key]}: in tasks ${percent(top, span)} of the span`);
    for (const [name, us] of Object.entries(self).sort((a, b) => b[1] - a[1]).slice(0, LISTED / 2))
      console.log(`  ${percent(us, span)}  ${(count[name] * 1e6 / span).toFixed(1).padStart(7)}/s  ${name}`);
  }
}

const problems = [];
const browser = await launchChromium(modulesDir, profileDir);
try {
  const page = await openPage(browser, problems);
  const waitFor = (fn, arg) => page.waitForFunction(fn, { timeout: WAIT_MS, polling: 'raf' }, arg);
  await page.goto(url);
  await waitFor(() => document.body.dataset.firstFrame);
  await page.keyboard.press('Enter');   // New game on the first level
  await waitFor((n) => Module.frameTimes.length >= n, SETTLE_FRAMES);

  const renderers = processesOfType(browser.process().pid, 'renderer');
  const before = threadTimes(renderers);
  const from = process.hrtime.bigint();
  const framesBefore = await page.evaluate(() => Module.frameTimes.length);
  await pause(seconds * 1000);
  const framesAfter = await page.evaluate(() => Module.frameTimes.length);
  const wallNs = Number(process.hrtime.bigint() - from);
  console.log(`Play frames a second: ${((framesAfter - framesBefore) * 1e9 / wallNs).toFixed(2)}`);
  threadShares(before, threadTimes(renderers), wallNs);

  const session = await page.target().createCDPSession();
  await session.send('Profiler.enable');
  await session.send('Profiler.setSamplingInterval', { interval: SAMPLING_US });
  await session.send('Profiler.start');
  await pause(seconds * 1000);
  const { profile } = await session.send('Profiler.stop');
  fs.writeFileSync(`${outDir}/play.cpuprofile`, JSON.stringify(profile));
  summarizeProfile(profile);

  await page.tracing.start({ path: `${outDir}/play.trace.json`, categories: TRACE_CATEGORIES });
  await pause(seconds * 1000);
  await page.tracing.stop();
  const trace = JSON.parse(fs.readFileSync(`${outDir}/play.trace.json`, 'utf8'));
  summarizeTrace(trace.traceEvents || trace);
} finally {
  await browser.close();
}
if (problems.length) {
  console.error(problems.join('\n'));
  process.exit(1);
}
