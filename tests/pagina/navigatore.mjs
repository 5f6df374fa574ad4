// Headless Chromium for the page tests, driven through puppeteer-core.
// As root in a closed network: no sandbox, no GPU, no network services, a
// new empty profile for every launch (removed on close).
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import puppeteer from 'puppeteer-core';

export async function apri_navigatore() {
    const profilo = mkdtempSync(path.join(tmpdir(), 'scenario-profilo-'));
    const navigatore = await puppeteer.launch({
        executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
        headless: true,
        userDataDir: profilo,
        args: [
            '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
            '--disable-background-networking', '--disable-component-update', '--disable-sync',
            '--hide-scrollbars',
        ],
    });
    const chiudi = navigatore.close.bind(navigatore);
    navigatore.close = async () => {
        try {
            await chiudi();
        } finally {
            rmSync(profilo, { recursive: true, force: true });
        }
    };
    return navigatore;
}

// A failed check: the message, and the test ends with status 1.
export function fallito(messaggio) {
    console.error(`FAILED: ${messaggio}`);
    process.exitCode = 1;
    throw new Error(messaggio);
}
