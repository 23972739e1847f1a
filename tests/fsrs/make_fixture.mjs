// Writes fixture.json: review sequences scheduled by ts-fsrs (pinned in
// package-lock.json), which follows fsrs-rs, the scheduler Anki uses.
// Run once from the repository root, in UTC:
//   TZ=UTC node tests/fsrs/make_fixture.mjs > tests/fsrs/fixture.json
// Each sequence is a card's reviews: the time (seconds since the epoch) and
// grade given, and what the scheduler made of them: stability, difficulty,
// the due time (seconds) and the state (0 new, 1 learning, 2 review, 3
// relearning). Default parameters, retention 0.9, learning steps 1m 10m,
// relearning step 10m, no fuzz.
import { createEmptyCard, fsrs } from "ts-fsrs";

// A small, seeded generator: the same fixture every run.
let seed = 20261209;
const random = () => {
  seed = (seed * 1103515245 + 12345) % 2147483648;
  return seed / 2147483648;
};
const pick = (weights) => {
  let r = random() * weights.reduce((a, b) => a + b, 0);
  for (let i = 0; i < weights.length; ++i) if ((r -= weights[i]) < 0) return i;
  return weights.length - 1;
};

const scheduler = fsrs({ enable_fuzz: false, enable_short_term: true, request_retention: 0.9 });
const sequences = [];
for (let n = 0; n < 300; ++n) {
  let card = createEmptyCard(new Date(Date.UTC(2026, 0, 5, 9, 0, 0)));
  // Start at any minute of a few weeks, so that day boundaries fall anywhere.
  let time = Date.UTC(2026, 0, 5) + Math.floor(random() * 21 * 1440) * 60000;
  const reviews = [];
  for (let i = 0; i < 12; ++i) {
    const grade = 1 + pick([2, 2, 6, 1]);
    const next = scheduler.next(card, new Date(time), grade).card;
    reviews.push({
      time: time / 1000, grade,
      stability: next.stability, difficulty: next.difficulty,
      due: next.due.getTime() / 1000, state: next.state,
    });
    card = next;
    // The next review: on time mostly, early (the same day too) or late.
    const due = next.due.getTime();
    const when = pick([5, 2, 2, 1]);
    if (when === 0) time = due + Math.floor(random() * 180) * 60000;
    else if (when === 1) time = Math.max(time + 60000, due - Math.floor(random() * 3 * 1440) * 60000);
    else if (when === 2) time = time + Math.floor(random() * 600) * 60000;
    else time = due + Math.floor(random() * 30 * 1440) * 60000;
  }
  sequences.push(reviews);
}
process.stdout.write(JSON.stringify({ reference: "ts-fsrs 5.4.2", sequences }) + "\n");
