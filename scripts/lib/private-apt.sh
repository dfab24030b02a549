# Sourced: private_apt WORKDIR sets apt_options to an apt configuration of its own under WORKDIR
# whose sources repeat the machine's Debian sources as deb-src (the machine's own stays untouched).
private_apt() {
  local work=$1 f found=0
  mkdir -p "$work/apt/lists/partial" "$work/apt/cache/archives/partial" "$work/apt/parts"
  : >"$work/apt/empty.list"
  shopt -s nullglob
  for f in /etc/apt/sources.list.d/*.sources; do
    if grep -q 'deb.debian.org\|security.debian.org' "$f"; then
      sed 's/^Types:.*/Types: deb-src/' "$f" >"$work/apt/parts/$(basename "$f")"
      found=1
    fi
  done
  for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    if [[ -f $f ]] && grep -q "^deb .*debian" "$f"; then
      grep '^deb .*debian' "$f" | sed 's/^deb /deb-src /' >>"$work/apt/empty.list"
      found=1
    fi
  done
  shopt -u nullglob
  if ((found == 0)); then
    echo "private_apt: no Debian sources configured for apt" >&2
    return 1
  fi
  apt_options=(
    -o Dir::Etc::SourceList="$work/apt/empty.list" -o Dir::Etc::SourceParts="$work/apt/parts"
    -o Dir::State::Lists="$work/apt/lists" -o Dir::Cache="$work/apt/cache" -o APT::Sandbox::User=root
  )
  apt-get "${apt_options[@]}" -qq update
}
