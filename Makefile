# The two set-up commands of the README, and a few more for developers.
#   make run [FILE=path-or-URL]   install what is missing, build, start the player on the sample
#   make test                     install what is missing, build, run every test under Wine
#   make bench                    benchmarks (prints figures; not part of the tests)
#   make fuzz                     the parser fuzzers, for a bounded time
#   make torture                  damaged presentations through the engine and the player
#   make screenshots              pictures of the player playing and in full screen (build/screenshots)
.PHONY: run test build bench fuzz torture screenshots clean

build:
	bash scripts/build.sh

run:
	bash scripts/run.sh $(FILE)

test:
	bash scripts/test.sh

bench:
	bash scripts/bench.sh

fuzz:
	bash scripts/fuzz.sh

torture:
	bash scripts/torture.sh

screenshots:
	bash scripts/screenshots.sh

clean:
	rm -rf build/CMakeFiles build/build.ninja build/CMakeCache.txt build/bin build/tests
