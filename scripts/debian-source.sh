# Sourced by the scripts that build a library for Windows from Debian's own
# source package. debian_source PACKAGE VERSION WORK DEST NAME fetches the source
# through apt-get with a private apt state under WORK (one deb-src entry for
# the archive the machine already uses: nothing in /etc changes and nothing
# but Debian packages is downloaded) and unpacks it into DEST/NAME, once.
debian_source() {
  local package=$1 version=$2 work=$3 dest=$4 name=$5
  local apt_dir="$work/apt"
  if [ -f "$dest/.unpacked" ]; then
    return 0
  fi
  mkdir -p "$apt_dir/sources" "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial"
  cat >"$apt_dir/sources/debian-src.sources" <<'SOURCES'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb-src
URIs: http://deb.debian.org/debian-security
Suites: bookworm-security
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
  local apt_private=(-o "Dir::Etc::SourceParts=$apt_dir/sources" -o Dir::Etc::SourceList=/dev/null
    -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache=$apt_dir/cache"
    -o APT::Sandbox::User=root)
  echo "debian-source: fetching Debian's $package $version source" >&2
  apt-get "${apt_private[@]}" update -qq
  rm -rf "$dest"
  mkdir -p "$dest"
  if (cd "$dest" && apt-get "${apt_private[@]}" source -qq --download-only "$package=$version"); then
    (cd "$dest" && dpkg-source -x --no-check ./*.dsc "$name" >/dev/null)
  else
    # A mirror that lacks the small Debian packaging tarball still serves the
    # upstream one: it is unpacked alone once its checksum matches the .dsc.
    local orig
    orig=$(find "$dest" -maxdepth 1 -name "${package}_*.orig.tar.*" | head -1)
    if [ -z "$orig" ] || ! ls "$dest"/*.dsc >/dev/null 2>&1 ||
      ! grep -q " $(sha256sum "$orig" | cut -d' ' -f1) [0-9]* $(basename "$orig")\$" "$dest"/*.dsc; then
      echo "debian-source: the $package $version source could not be fetched" >&2
      return 1
    fi
    echo "debian-source: only the upstream tarball of $package $version could be fetched;" \
      "building it without Debian's packaging" >&2
    mkdir -p "$dest/$name"
    tar -xf "$orig" -C "$dest/$name" --strip-components=1
  fi
  touch "$dest/.unpacked"
}
