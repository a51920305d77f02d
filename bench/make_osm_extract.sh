#!/usr/bin/env bash
# Writes a generated OpenStreetMap extract as .osm.pbf, shaped like a real one: NODES nodes over
# 9 by 8 degrees, most untagged, one in ten with other tags, one in 500 a speed camera; a way for
# every ten nodes; an enforcement relation for every 4,000 nodes, besides other relations.
#   bench/make_osm_extract.sh OUT.osm.pbf [NODES]
set -euo pipefail
out="$1"
nodes="${2:-2000000}"
opl="$(mktemp --suffix=.opl)"
trap 'rm -f "$opl"' EXIT
awk -v nodes="$nodes" 'BEGIN {
  srand(2026)
  for (id = 1; id <= nodes; ++id) {
    tags = ""
    if (id % 500 == 0) {
      tags = sprintf("highway=speed_camera,maxspeed=%d,direction=%d", 30 + 10 * (id % 7), id % 360)
    } else if (id % 10 == 0) {
      tags = "highway=street_lamp,ref=L" id
    }
    printf "n%d v1 x%.7f y%.7f T%s\n", id, 6 + 9 * rand(), 47 + 8 * rand(), tags
  }
  for (way = 1; way <= nodes / 10; ++way) {
    printf "w%d v1 Thighway=residential,maxspeed=30 N", way
    for (k = 0; k < 10; ++k) printf "%sn%d", (k ? "," : ""), (way - 1) * 10 + k + 1
    printf "\n"
  }
  for (relation = 1; relation <= nodes / 2000; ++relation) {
    if (relation % 2) {
      printf "r%d v1 Ttype=enforcement,enforcement=maxspeed,maxspeed=80 Mn%d@device,n%d@from\n", relation,
             relation * 2000 - 7, relation * 2000 - 3
    } else {
      printf "r%d v1 Ttype=route,route=bus Mw%d@,w%d@\n", relation, relation, relation + 1
    }
  }
}' >"$opl"
osmium cat --no-progress --overwrite -o "$out" "$opl"
