"""Long documents for the page benchmarks, made from the real-world corpus with qpdf.

A document is lengthened by merging distinct copies of it (each under its own name, so
that qpdf copies every object again rather than sharing them), twice over: a real long
document holds a content stream per page, not one repeated. The results are kept in the
given folder and reused when they are already there.
"""

import glob
import math
import os
import subprocess

TEXT = "026-latex-multicolumn__multicolumn.pdf"
FIGURES = "009-pdflatex-geotopo__GeoTopo-komprimiert.pdf"
ONE, TWO = "001-trivial__minimal-document.pdf", "002-trivial-libre-office-writer__002-trivial-libre-office-writer.pdf"
ELEVEN_PAGES = 900
# Documents of at most this many bytes a page, so that eleven of them stay near a gigabyte.
ELEVEN_BYTES_PER_PAGE = 30_000


def default_corpus(root):
    for candidate in (os.path.join(root, "..", "shared", "corpus", "real"),
                      os.path.join(root, "..", "..", "shared", "corpus", "real")):
        if os.path.isdir(candidate):
            return os.path.abspath(candidate)
    return os.path.join(root, "..", "shared", "corpus", "real")


def page_count(path):
    result = subprocess.run(["qpdf", "--show-npages", path], capture_output=True, text=True)
    return int(result.stdout) if result.returncode in (0, 3) and result.stdout.strip() else 0


def merged_copies(source, copies, target, folder):
    names = []
    for i in range(copies):
        name = os.path.join(folder, "copy-%d.pdf" % i)
        if os.path.lexists(name):
            os.remove(name)
        os.symlink(os.path.abspath(source), name)
        names.append(name)
    subprocess.run(["qpdf", "--empty", "--pages"] + names + ["--", target], check=True)
    for name in names:
        os.remove(name)


def lengthened(source, pages, target, folder):
    """source lengthened to exactly pages pages, in target."""
    if os.path.exists(target):
        return target
    own = page_count(source)
    first = max(1, math.ceil(math.sqrt(pages / own)))
    stage = target + ".stage.pdf"
    merged_copies(source, first, stage, folder)
    second = stage + ".2.pdf"
    merged_copies(stage, math.ceil(pages / (own * first)), second, folder)
    subprocess.run(["qpdf", second, "--pages", ".", "1-%d" % pages, "--", target], check=True)
    os.remove(stage)
    os.remove(second)
    return target


def eleven_sources(corpus):
    """Eleven distinct documents that open without a password, in name order."""
    chosen = []
    for path in sorted(glob.glob(os.path.join(corpus, "*.pdf"))):
        pages = page_count(path)
        if pages and os.path.getsize(path) / pages <= ELEVEN_BYTES_PER_PAGE \
                and os.path.basename(path) not in (TEXT, ONE, TWO):
            chosen.append(path)
    if len(chosen) < 11:
        raise SystemExit("the corpus has only %d documents fit to lengthen" % len(chosen))
    return chosen[:11]


def make(corpus, folder):
    os.makedirs(folder, exist_ok=True)
    made = {
        "text": lengthened(os.path.join(corpus, TEXT), 1000, os.path.join(folder, "text.pdf"), folder),
        "figures": lengthened(os.path.join(corpus, FIGURES), 1000,
                              os.path.join(folder, "figures.pdf"), folder),
        "one": os.path.join(corpus, ONE),
        "two": os.path.join(corpus, TWO),
    }
    made["eleven"] = [lengthened(path, ELEVEN_PAGES, os.path.join(folder, "eleven-%02d.pdf" % i), folder)
                      for i, path in enumerate(eleven_sources(corpus))]
    made["text pages"] = page_count(made["text"])
    made["figures pages"] = page_count(made["figures"])
    made["eleven pages"] = sum(page_count(p) for p in made["eleven"])
    return made
