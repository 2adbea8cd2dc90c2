<!--#include virtual="comune.inc"-->
<%
// A category: its subcategories, then its products a page at a time.
var categoriaCorrente = Numero(Request.QueryString("IDCategoria"));
var paginaRichiesta = Numero(Request.QueryString("Page"));
var trovata = categoriaCorrente > 0 && catalogo.LeggiCategoria(categoriaCorrente);
var nomeCategoria = trovata ? String(catalogo.NomeCategoria) : "";
var descrizioneCategoria = trovata ? String(catalogo.DescrizioneCategoria) : "";
var haSottoCategorie = trovata && catalogo.FlagSottoCategorie;
var paginaCorrente = IndirizzoCategoria(categoriaCorrente, paginaRichiesta);
var titoloPagina = trovata ? nomeCategoria : T("PMTCATEGORIE", "Categorie");
%>
<!--#include virtual="testa.inc"-->
<% if (!trovata) {
       NonTrovato(); %>
<section class="avviso">
  <h1><%= H(T("PMTCATEGORIE", "Categorie")) %></h1>
  <p><%= H(T("PMTNONTROVATO", "La pagina che cercavi non c'è.")) %></p>
  <p><a class="bottone" href="/default.asp"><%= H(T("PMTPAGINAHOME", "Home")) %></a></p>
</section>
<% } else { %>
<nav class="briciole" aria-label="breadcrumb"><a href="/default.asp"><%= H(T("PMTPAGINAHOME", "Home")) %></a> › <span><%= H(nomeCategoria) %></span></nav>
<header class="intestazione-categoria">
  <h1><%= H(nomeCategoria) %></h1>
  <p><%= Paragrafi(descrizioneCategoria) %></p>
</header>
<%   if (haSottoCategorie && catalogo.ApriPaginaCategorie(categoriaCorrente)) { %>
<ul class="sottocategorie">
<%       do { %>
  <li><a href="<%= H(IndirizzoCategoria(catalogo.IDCategoria, 1)) %>"><%= H(catalogo.NomeCategoria) %></a></li>
<%       } while (catalogo.LeggiCategoriaSuccessiva()); %>
</ul>
<%   }
     catalogo.ChiudiPaginaCategorie();
     if (catalogo.ApriPaginaProdotti(paginaRichiesta > 0 ? paginaRichiesta : 1, categoriaCorrente)) {
         var pagina = catalogo.PaginaCorrenteProdotti;
         var pagine = catalogo.TotalePagineProdotti; %>
<ul class="schede">
<%       for (var i = 0; i < catalogo.LunghezzaPaginaProdotti; ++i) {
             SchedaProdotto();
             if (!catalogo.LeggiProdottoSuccessivo())
                 break;
         } %>
</ul>
<%       if (pagine > 1) { %>
<nav class="pagine" aria-label="<%= H(T("PMTPAGINA", "Pagina [N] di [M]", pagina, pagine)) %>">
<%           if (pagina > 1) { %>
  <a class="bottone" rel="prev" href="<%= H(IndirizzoCategoria(categoriaCorrente, pagina - 1)) %>">‹ <%= H(T("PMTPRECEDENTE", "Precedente")) %></a>
<%           } %>
<%           for (var n = 1; n <= pagine; ++n) {
                 if (n === pagina) { %>
  <span class="numero attivo" aria-current="page"><%= n %></span>
<%               } else { %>
  <a class="numero" href="<%= H(IndirizzoCategoria(categoriaCorrente, n)) %>"><%= n %></a>
<%               }
             } %>
<%           if (pagina < pagine) { %>
  <a class="bottone" rel="next" href="<%= H(IndirizzoCategoria(categoriaCorrente, pagina + 1)) %>"><%= H(T("PMTSUCCESSIVA", "Successiva")) %> ›</a>
<%           } %>
</nav>
<%       }
     } else if (!haSottoCategorie) { %>
<p class="avviso"><%= H(T("PMTNESSUNPRODOTTO", "In questa categoria non ci sono ancora prodotti.")) %></p>
<%   }
     catalogo.ChiudiPaginaProdotti();
   } %>
<!--#include virtual="piede.inc"-->
