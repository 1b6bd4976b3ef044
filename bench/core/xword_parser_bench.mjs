// Median times of the npm package @xwordly/xword-parser's parseIpuz (".ipuz")
// or parseJpz (".jpz") on the files named on the command line, for the
// comparison with bench_ipuz and bench_jpz: the text already in memory (as
// their "from memory" lines), and the file read and then parsed inside the
// timed loop (as their "open and close" lines). Run through compare_ipuz.sh,
// which installs the package into the build folder.
import { readFileSync } from 'node:fs';
import { pathToFileURL } from 'node:url';

const [moduleFolder, ...files] = process.argv.slice(2);
const entry = `${moduleFolder}/node_modules/@xwordly/xword-parser/dist/index.mjs`;
const { parseIpuz, parseJpz } = await import(pathToFileURL(entry).href);
const runs = 2001;

function median(work) {
  for (let i = 0; i < 200; ++i) work();
  const times = [];
  for (let i = 0; i < runs; ++i) {
    const start = process.hrtime.bigint();
    work();
    times.push(Number(process.hrtime.bigint() - start) / 1000);
  }
  times.sort((a, b) => a - b);
  return times[runs >> 1];
}

function print(what, micros) {
  console.log(`${what.padEnd(58)} ${micros.toFixed(1).padStart(9)} us`);
}

for (const file of files) {
  const jpz = file.endsWith('.jpz');
  const parse = jpz ? parseJpz : parseIpuz;
  const text = readFileSync(file, 'utf8');
  const name = `xword-parser ${jpz ? 'parseJpz' : 'parseIpuz'}, ${file.split('/').pop()}`;
  print(`${name}, file read`, median(() => parse(readFileSync(file, 'utf8'))));
  print(`  the same from memory (text already read)`, median(() => parse(text)));
}
