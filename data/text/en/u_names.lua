-- Random names for new characters, separated by semicolons.
u_names = "Aldric;Brenna;Cedric;Dara;Edmund;Fiona;Gareth;Helena;Ivor;Jessa;Kael;Lyra;Marcus;Nessa;Oswin;Petra;Quentin;Roland;Sera;Thorin;Ulrika;Victor;Wendel;Yara;Xavier;Alda;Bran;Celine;Dorian;Ella;Finn;Greta;Hakon;Isolde;Jocelyn;Caspar;Luna;Mira;Ned;Olivia"
