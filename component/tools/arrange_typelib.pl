#!/usr/bin/perl
# Puts the type descriptions of an MSFT type library in a given order, sets
# the non-extensible flag on given dispatch interfaces and mends the import
# of IDispatch: three things the IDL compiler gets wrong or cannot express
# (it numbers a type when it is first referred to, it refuses the flag on a
# dispinterface, and it can leave the IDispatch import without its GUID).
#
#   arrange_typelib.pl IN.tlb OUT.tlb IDL ORDER NONEXTENSIBLE
#
# IDL is the source the library was compiled from (for its GUID);
# ORDER is a comma-separated list of every type name in the wanted order;
# NONEXTENSIBLE a comma-separated list of names (may be empty).
#
# A type is addressed by the offset of its 0x64-byte record in the type
# segment, and its index is that offset / 0x64. Moving the records means
# renumbering every such reference: the offsets table after the header, the
# index kept in each record, the owner of each name and of each GUID, the
# implemented-interface references and the user-defined type descriptions.
use strict;
use warnings;

my ($in, $out, $idl, $order_arg, $nonext_arg) = @ARGV;
die "usage: $0 IN OUT IDL ORDER NONEXTENSIBLE\n" unless defined $order_arg;
$nonext_arg //= '';

open(my $fh, '<:raw', $in) or die "$in: $!\n";
my $data = do { local $/; <$fh> };
close($fh);

sub rd { my ($off) = @_; return unpack('l<', substr($data, $off, 4)); }
sub wr { my ($off, $v) = @_; substr($data, $off, 4) = pack('l<', $v); }

die "$in: not an MSFT type library\n" unless substr($data, 0, 4) eq 'MSFT';
my $varflags = rd(0x14);
my $count = rd(0x20);
my $offsets_at = 0x54 + (($varflags & 0x100) ? 4 : 0);
my $segdir_at = $offsets_at + 4 * $count;
my (@seg_off, @seg_len);
for my $i (0 .. 14) {
    $seg_off[$i] = rd($segdir_at + 16 * $i);
    $seg_len[$i] = rd($segdir_at + 16 * $i + 4);
}
my ($SEG_TYPEINFO, $SEG_IMPORTINFO, $SEG_REFERENCES, $SEG_GUID, $SEG_NAME, $SEG_TYPEDESC) =
    (0, 1, 3, 5, 7, 9);
my $RECORD = 0x64;
die "$in: type segment size\n" unless $seg_len[$SEG_TYPEINFO] == $count * $RECORD;

# Names of the types, by old index.
sub name_at {
    my ($name_off) = @_;
    my $at = $seg_off[$SEG_NAME] + $name_off;
    my $len = unpack('C', substr($data, $at + 8, 1));
    return substr($data, $at + 12, $len);
}
my $types = $seg_off[$SEG_TYPEINFO];
my %old_index;
for my $i (0 .. $count - 1) {
    $old_index{name_at(rd($types + $i * $RECORD + 0x34))} = $i;
}

my @order = split /,/, $order_arg;
die "$in: the order must name all $count types\n" unless @order == $count;
my @new_of_old;
for my $n (0 .. $#order) {
    my $o = $old_index{$order[$n]};
    die "$in: no type named $order[$n]\n" unless defined $o;
    die "$in: $order[$n] named twice\n" if defined $new_of_old[$o];
    $new_of_old[$o] = $n;
}
# Maps an internal reference (the offset of a record); anything else (an
# import, -1) stays.
sub map_ref {
    my ($v) = @_;
    return $v if $v < 0 || $v % $RECORD != 0 || $v / $RECORD >= $count;
    return $new_of_old[$v / $RECORD] * $RECORD;
}

# Owners of the names: every entry is hreftype, next in hash, length + hash,
# the name padded to 4 bytes.
for (my $p = 0; $p < $seg_len[$SEG_NAME];) {
    my $at = $seg_off[$SEG_NAME] + $p;
    wr($at, map_ref(rd($at)));
    my $len = unpack('C', substr($data, $at + 8, 1));
    $p += 12 + (($len + 3) & ~3);
}
# Owners of the GUIDs of the types (entries: GUID, hreftype, next in hash).
for my $i (0 .. $count - 1) {
    my $posguid = rd($types + $i * $RECORD + 0x2c);
    next if $posguid < 0;
    my $at = $seg_off[$SEG_GUID] + $posguid + 16;
    wr($at, map_ref(rd($at)));
}
# Implemented interfaces: reftype, flags, custom data, next.
for (my $p = 0; $p < $seg_len[$SEG_REFERENCES]; $p += 16) {
    my $at = $seg_off[$SEG_REFERENCES] + $p;
    wr($at, map_ref(rd($at)));
}
# User-defined type descriptions (VT_USERDEFINED = 29): kind, hreftype.
for (my $p = 0; $p < $seg_len[$SEG_TYPEDESC]; $p += 8) {
    my $at = $seg_off[$SEG_TYPEDESC] + $p;
    wr($at + 4, map_ref(rd($at + 4))) if (rd($at) & 0xffff) == 29;
}
# Interfaces keep their parent in datatype1 (coclasses keep a reference
# list offset there instead).
my %kind_interface = (3 => 1, 4 => 1);
my %nonext = map { $_ => 1 } grep { length } split /,/, $nonext_arg;
my @records;
for my $i (0 .. $count - 1) {
    my $at = $types + $i * $RECORD;
    my $kind = rd($at) & 0xf;
    wr($at + 0x54, map_ref(rd($at + 0x54))) if $kind_interface{$kind};
    my $name = name_at(rd($at + 0x34));
    if ($nonext{$name}) {
        die "$in: $name is not a dispatch interface\n" unless $kind == 4;
        wr($at + 0x30, rd($at + 0x30) | 0x80);
        delete $nonext{$name};
    }
    # The record's own index in the upper 16 bits of its kind word.
    wr($at, (rd($at) & 0xffff) | ($new_of_old[$i] << 16));
    $records[$new_of_old[$i]] = substr($data, $at, $RECORD);
}
# The compiler leaves the import of IDispatch that the header points at
# without its GUID when the library also imports it by name; point it at
# the GUID of IDispatch, which the library holds.
my $dispatch = rd(0x4c);
if ($dispatch > 0 && ($dispatch & 1)) {
    my $at = $seg_off[$SEG_IMPORTINFO] + $dispatch - 1;
    if (rd($at + 8) < 0) {
        # It also wrote the import's number over the last byte of the GUID
        # at offset 0 of the GUID table, the library's own: put back the one
        # the IDL declares.
        my $libid = $seg_off[$SEG_GUID] + rd(0x08);
        die "$in: the library's GUID is not first\n" unless rd(0x08) == 0;
        my $declarada = GuidDeLaBiblioteca($idl);
        die "$in: the library's GUID differs from $idl beyond its last byte\n"
            unless substr($data, $libid, 15) eq substr($declarada, 0, 15);
        substr($data, $libid, 16) = $declarada;
        my $iid = pack("V v v C8", 0x00020400, 0, 0, 0xC0, 0, 0, 0, 0, 0, 0, 0x46);
        my $found;
        for (my $p = 0; $p < $seg_len[$SEG_GUID]; $p += 24) {
            $found = $p, last if substr($data, $seg_off[$SEG_GUID] + $p, 16) eq $iid;
        }
        die "$in: no GUID of IDispatch to import\n" unless defined $found;
        wr($at + 8, $found);
    }
}
die "$in: no type named " . join(',', keys %nonext) . "\n" if %nonext;
substr($data, $types, $count * $RECORD) = join('', @records);
wr($offsets_at + 4 * $_, $_ * $RECORD) for 0 .. $count - 1;

open(my $oh, '>:raw', $out) or die "$out: $!\n";
print $oh $data;
close($oh) or die "$out: $!\n";

# The GUID of the library block of an IDL file, as stored in memory.
sub GuidDeLaBiblioteca {
    my ($archivo) = @_;
    open(my $f, '<', $archivo) or die "$archivo: $!\n";
    my $texto = do { local $/; <$f> };
    close($f);
    $texto =~ /uuid\(([0-9A-Fa-f]{8})-([0-9A-Fa-f]{4})-([0-9A-Fa-f]{4})-([0-9A-Fa-f]{4})-([0-9A-Fa-f]{12})\)[^\]]*\]\s*library\b/
        or die "$archivo: no library uuid\n";
    return pack('V v v', hex($1), hex($2), hex($3)) . pack('H4 H12', $4, $5);
}
