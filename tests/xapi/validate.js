// Checks files of exported statements (each a JSON array) with the xAPI validation package and
// fails on any warning, on a statement without a score within its limits, and on fewer
// statements than asked for.
//     node validate.js NODE_MODULES COUNT FILE...
const path = require("path");
const [modules, count, ...files] = process.argv.slice(2);
const validate = require(path.resolve(modules, "@learninglocker/xapi-validation")).default;
const fs = require("fs");
let failed = false;
for (const file of files) {
    const statements = JSON.parse(fs.readFileSync(file, "utf8"));
    if (!Array.isArray(statements) || statements.length !== Number(count)) {
        console.log(`${file}: ${statements.length} statements, expected ${count}`);
        failed = true;
        continue;
    }
    for (const statement of statements) {
        const warnings = validate(statement);
        for (const w of warnings) {
            console.log(`${file}: ${statement.id}: ${w.path.join(".")}: ${w.name} ${w.message}`);
            failed = true;
        }
        const s = statement.result && statement.result.score;
        if (!s || !(s.min <= s.raw && s.raw <= s.max && s.scaled >= -1 && s.scaled <= 1)) {
            console.log(`${file}: ${statement.id}: score ${JSON.stringify(s)}`);
            failed = true;
        }
    }
    console.log(`${file}: ${statements.length} statements checked`);
}
process.exit(failed ? 1 : 0);
