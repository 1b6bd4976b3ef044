// Median time of the npm package @xwordly/xword-parser's parseIpuz on the
// files named on the command line, the text already in memory, for the
// comparison with bench_ipuz. Run through compare_ipuz.sh, which installs the
// package into the build folder.
import { readFileSync } from 'node:fs';
import { pathToFileURL } from 'node:url';

const [moduleFolder, ...files] = process.argv.slice(2);
const entry = `${moduleFolder}/node_modules/@xwordly/xword-parser/dist/index.mjs`;
const { parseIpuz } = await import(pathToFileURL(entry).href);
const runs = 2001;

for (const file of files) {
  const text = readFileSync(file, 'utf8');
  for (let i = 0; i < 200; ++i) parseIpuz(text);
  const times = [];
  for (let i = 0; i < runs; ++i) {
    const start = process.hrtime.bigint();
    parseIpuz(text);
    times.push(Number(process.hrtime.bigint() - start) / 1000);
  }
  times.sort((a, b) => a - b);
  console.log(`xword-parser parseIpuz, ${file.split('/').pop()}: ${times[runs >> 1].toFixed(1)} us`);
}
