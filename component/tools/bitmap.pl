#!/usr/bin/perl
# Writes a Windows bitmap file from its text form (see component/bitmaps):
# "bits 4" pictures use the standard 16-colour palette, one hexadecimal
# index per pixel; "bits 24" pictures name their colours in "color" lines.
#
#   bitmap.pl IN.txt OUT.bmp
use strict;
use warnings;

my ($in, $out) = @ARGV;
die "usage: $0 IN.txt OUT.bmp\n" unless defined $out;
open(my $fh, '<', $in) or die "$in: $!\n";
my ($bits, %colors, @rows);
while (my $line = <$fh>) {
    chomp $line;
    $line =~ s/\r$//;
    next if $line =~ /^#/ || $line eq '';
    if ($line =~ /^bits (\d+)$/) {
        $bits = $1;
    } elsif ($line =~ /^color (\S) ([0-9A-Fa-f]{6})$/) {
        $colors{$1} = hex($2);
    } else {
        push @rows, $line;
    }
}
close($fh);
die "$in: bits must be 4 or 24\n" unless defined $bits && ($bits == 4 || $bits == 24);
die "$in: no rows\n" unless @rows;
my $width = length($rows[0]);
my $height = @rows;
for my $r (@rows) {
    die "$in: rows of different lengths\n" unless length($r) == $width;
}

my @palette = (
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
);
my $stride = int(($width * $bits + 31) / 32) * 4;
my $pixels = '';
for my $r (reverse @rows) {    # bottom-up
    my $row = '';
    if ($bits == 4) {
        my @idx = map { my $v = hex($_); die "$in: bad index '$_'\n" unless /^[0-9a-fA-F]$/; $v }
            split //, $r;
        push @idx, 0 if @idx % 2;
        for (my $i = 0; $i < @idx; $i += 2) { $row .= pack('C', ($idx[$i] << 4) | $idx[$i + 1]); }
    } else {
        for my $c (split //, $r) {
            die "$in: colour '$c' not defined\n" unless exists $colors{$c};
            my $rgb = $colors{$c};
            $row .= pack('C3', $rgb & 0xFF, ($rgb >> 8) & 0xFF, ($rgb >> 16) & 0xFF);
        }
    }
    $row .= "\0" x ($stride - length($row));
    $pixels .= $row;
}
my $table = '';
if ($bits == 4) {
    $table .= pack('C4', $_ & 0xFF, ($_ >> 8) & 0xFF, ($_ >> 16) & 0xFF, 0) for @palette;
}
my $info = pack('V l< l< v v V V l< l< V V', 40, $width, $height, 1, $bits, 0, length($pixels),
    2835, 2835, $bits == 4 ? 16 : 0, 0);
my $offset = 14 + length($info) + length($table);
my $file = pack('a2 V v v V', 'BM', $offset + length($pixels), 0, 0, $offset);
open(my $oh, '>:raw', $out) or die "$out: $!\n";
print $oh $file, $info, $table, $pixels;
close($oh) or die "$out: $!\n";
