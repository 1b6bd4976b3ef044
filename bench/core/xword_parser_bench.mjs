// Median time of the npm package @xwordly/xword-parser's parseIpuz (".ipuz")
// or parseJpz (".jpz") on the files named on the command line, the text
// already in memory, for the comparison with bench_ipuz and bench_jpz. Run
// through compare_ipuz.sh, which installs the package into the build folder.
import { readFileSync } from 'node:fs';
import { pathToFileURL } from 'node:url';

const [moduleFolder, ...files] = process.argv.slice(2);
const entry = `${moduleFolder}/node_modules/@xwordly/xword-parser/dist/index.mjs`;
const { parseIpuz, parseJpz } = await import(pathToFileURL(entry).href);
const runs = 2001;

for (const file of files) {
  const text = readFileSync(file, 'utf8');
  const jpz = file.endsWith('.jpz');
  const parse = jpz ? parseJpz : parseIpuz;
  for (let i = 0; i < 200; ++i) parse(text);
  const times = [];
  for (let i = 0; i < runs; ++i) {
    const start = process.hrtime.bigint();
    parse(text);
    times.push(Number(process.hrtime.bigint() - start) / 1000);
  }
  times.sort((a, b) => a - b);
  const name = jpz ? 'parseJpz' : 'parseIpuz';
  console.log(`xword-parser ${name}, ${file.split('/').pop()}: ${times[runs >> 1].toFixed(1)} us`);
}
